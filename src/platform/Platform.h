// The platform seam: every service the core asks of Windows and Explorer. The win32 backend is the
// real one; the sim backend is a simulated Explorer desktop for the Linux tests.
#pragma once

namespace plenvik {

class Clock;
class Dialogs;
class Displays;
class EventPump;
class FileSystem;
class IconView;
class Locale;
class Processes;
class Registry;
class ShellFolders;
class SystemInfo;

struct Platform {
    SystemInfo& system;
    Clock& clock;
    Locale& locale;
    Dialogs& dialogs;
    EventPump& events;
    Processes& processes;
    FileSystem& files;
    Registry& registry;
    ShellFolders& shell;
    Displays& displays;
    IconView& desktop;
};

}  // namespace plenvik
