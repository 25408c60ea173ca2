// The protocol of a run: entries with time, repeat count, text and a hidden detail text, newest on
// top, in the list of the protocol window. It lives in memory only and is emptied when a run begins.
#pragma once

#include <string>

#include "ui/ListModel.h"

namespace plenvik {

class Clock;
class EventPump;
class Locale;

inline constexpr const char* kProtocolSeparator = "-------------------------------------------------------";

class Protocol {
public:
    Protocol(Clock& clock, Locale& locale, EventPump& events);

    // lvwProt: "Datum/Zeit", "Anz.", "Text", "Info".
    ListModel& list() { return list_; }
    const ListModel& list() const { return list_; }
    // Status bar panels: 1 the time, 2 the run's headline, 3 the "Schließen" button.
    const std::string& headline() const { return headline_; }
    std::string timePanel() const;
    static constexpr const char* kClosePanelText = "Schließen";

    void add(const std::string& text, const std::string& info, bool startsRun, bool closesRun);
    void clear();
    void close(const std::string& text);

    // The entry's time text: general date form, ":" and the second without leading zero.
    std::string timeText() const;

    // Resizing (twips): the list's new size, or unchanged values when the window is too small.
    struct ListSize {
        int width, height, textColumnWidth;
    };
    ListSize resize(int innerWidth, int innerHeight, int statusBarTop, ListSize current, int textColumnLeft) const;

private:
    Clock& clock_;
    Locale& locale_;
    EventPump& events_;
    ListModel list_{"lvwProt"};
    std::string headline_;
};

}  // namespace plenvik
