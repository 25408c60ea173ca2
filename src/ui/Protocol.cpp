#include "ui/Protocol.h"

#include "platform/Clock.h"
#include "platform/EventPump.h"

namespace plenvik {
namespace {
constexpr std::size_t kColumnCount = 1, kColumnText = 2, kColumnInfo = 3;
}

Protocol::Protocol(Clock& clock, Locale& locale, EventPump& events) : clock_(clock), locale_(locale), events_(events) {
    list_.addColumn("Datum/Zeit", 1800);
    list_.addColumn("Anz.", 600);
    list_.addColumn("Text", 7000);
    list_.addColumn("Info", 0);
}

std::string Protocol::timeText() const {
    const LocalTime t = clock_.now();
    return locale_.formatGeneralDate(t) + ":" + std::to_string(t.second);
}

std::string Protocol::timePanel() const { return locale_.formatGeneralDate(clock_.now()); }

void Protocol::add(const std::string& text, const std::string& info, bool startsRun, bool closesRun) {
    if (startsRun) {
        clear();
        headline_ = text;
    } else if (closesRun) {
        add(kProtocolSeparator, "", false, false);
    }
    // The same text directly after itself counts up instead of adding a row.
    if (!list_.empty() && list_.row(0).sub(kColumnText) == text) {
        const int count = std::stoi(list_.row(0).sub(kColumnCount));
        list_.setSubItem(0, kColumnCount, std::to_string(count + 1));
        return;
    }
    list_.insert(0, "", timeText());
    list_.setSubItem(0, kColumnCount, "1");
    list_.setSubItem(0, kColumnText, text);
    list_.setSubItem(0, kColumnInfo, info);
    events_.pump();
    // New rows go on top, so this separator stands above the headline.
    if (startsRun) add(kProtocolSeparator, "", false, false);
}

void Protocol::clear() { list_.clear(); }

void Protocol::close(const std::string& text) { add(text, "", false, true); }

Protocol::ListSize Protocol::resize(int innerWidth, int innerHeight, int statusBarTop, ListSize current, int textColumnLeft) const {
    ListSize s = current;
    if (innerHeight > 1000) s.height = statusBarTop;
    if (innerWidth > 2000) {
        s.width = innerWidth;
        if (textColumnLeft + 300 < s.width) s.textColumnWidth = s.width - textColumnLeft - 450;
    }
    return s;
}

}  // namespace plenvik
