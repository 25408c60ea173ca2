// What one comparison or restore run carries from step to step: what it works on, its mode, its
// counters, and the protocol entry every step writes.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "errors/Procedure.h"
#include "project/CurrentDesktop.h"
#include "project/LoadedProject.h"
#include "restore/ZoneMark.h"
#include "run/RunContext.h"
#include "run/RunFeedback.h"

namespace plenvik {

class PictureView;

// The answer to the question about icons of the all-users desktop, kept for the run.
enum class AllUsersAnswer { NotAsked, OwnDesktop, Skip };

struct RestoreCounters {
    int correct = 0;    // at the saved position / in the saved mode
    int corrected = 0;  // moved or switched; in analysis: to be set
    int notSet = 0;     // could not be moved (last pass) or switched
    int created = 0;    // re-created; in analysis: to be created
    int notCreated = 0;
    int fresh = 0;    // new on the desktop
    int deleted = 0;  // new icons removed
    AllUsersAnswer allUsers = AllUsersAnswer::NotAsked;
    ZoneMark projectMark;  // the project file's Zone.Identifier, for the files re-created
};

struct RestoreMode {
    bool analyseOnly = false;
    bool fixMonitors = false;
};

struct RestoreRun {
    RunContext& context;
    const LoadedProject& project;
    CurrentDesktop& current;
    Procedure& proc;
    bool analyse;
    bool fixMonitors;
    RestoreCounters counters;
    void log(const std::string& text) { context.feedback.addToProtocol(text); }
    bool cancelled() const { return context.feedback.cancelRequested(); }
};

// "(0003) korrekt - (0001) korrigiert": counters and their words, four digits each.
std::string countsText(std::initializer_list<std::pair<int, const char*>> counts);

// A red or plain mark at a desktop position on the project's monitor picture: a filled two-pixel square
// in the given colour, or with colour 0 a rectangle in the picture's drawing colours.
void markDesktopPosition(PictureView& picture, const LoadedProject& project, std::int32_t x, std::int32_t y, std::uint32_t color);

}  // namespace plenvik
