// What every run is handed: the platform it acts through, the error handler its procedures report to,
// the settings, the feedback to the user, and the main window's lists and picture, which it fills as
// it goes. The controller makes one per run; nothing below the controller knows the main window.
#pragma once

namespace plenvik {

class ErrorHandler;
class PictureView;
class RunFeedback;
struct MainLists;
struct Platform;
struct Settings;

struct RunContext {
    Platform& platform;
    ErrorHandler& errors;
    const Settings& settings;
    RunFeedback& feedback;
    MainLists& lists;
    PictureView& picture;
};

}  // namespace plenvik
