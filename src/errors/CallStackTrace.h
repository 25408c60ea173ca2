// The call-stack trace: the procedures entered most recently, newest first, each with the number of
// consecutive entries into it ("07:25:46 - Plenvik.frmMain.fc_DesktopIconsGet (3)").
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "platform/Clock.h"

namespace plenvik {

class CallStackTrace {
public:
    static constexpr std::size_t kMaxEntries = 40;

    // Registers entry into a procedure: a new entry, or a higher count on the newest one when the same
    // procedure is entered again (the entry keeps the time it was first made).
    void enter(const std::string& procedure, const LocalTime& now);
    // Marks the newest entry as the one where an error occurred.
    void markSystemError();

    std::vector<std::string> lines() const;
    std::size_t size() const { return entries_.size(); }
    const std::string& lastProcedure() const { return lastProcedure_; }
    int repeatCount() const { return repeatCount_; }

private:
    struct Entry {
        LocalTime time;
        std::string text;
    };
    std::deque<Entry> entries_;
    std::string lastProcedure_;
    int repeatCount_ = 0;
};

}  // namespace plenvik
