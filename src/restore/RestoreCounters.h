// What one comparison or restore run carries from step to step: its mode, its counters, and the
// protocol entry every step writes.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "app/frmMain.h"
#include "errors/Procedure.h"

namespace plenvik {

struct RestoreCounters {
    std::int16_t correct = 0;     // at the saved position / in the saved mode
    std::int16_t corrected = 0;   // moved or switched; in analysis: to be set
    std::int16_t notSet = 0;      // could not be moved (last pass) or switched
    std::int16_t created = 0;     // re-created; in analysis: to be created
    std::int16_t notCreated = 0;
    std::int16_t fresh = 0;       // new on the desktop
    std::int16_t deleted = 0;     // new icons removed
    std::int16_t createAnswer = 0;  // the all-users question's answer, kept for the run
};

struct RestoreRun {
    frmMain& form;
    Procedure& proc;
    bool analyse;
    bool fixMonitors;
    RestoreCounters counters;

    void log(const std::string& text) { form.sb_ProtokollAdd(text, "", false, false); }
    bool cancelled() const { return form.program().cancel; }
};

// "(0003) korrekt - (0001) korrigiert": counters and their words, four digits each.
std::string countsText(std::initializer_list<std::pair<std::int16_t, const char*>> counts);

// A red or plain mark at a desktop position on the monitor picture: a filled two-pixel square in the
// given colour, or with colour 0 a rectangle in the picture's drawing colours.
void markDesktopPosition(frmMain& form, std::int32_t x, std::int32_t y, std::uint32_t color);

}  // namespace plenvik
