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

void Protocol::sb_ProtokollAdd(const std::string& par_Text, const std::string& par_Info, bool par_Init, bool par_Close) {
    if (par_Init) {
        sb_ProtokollClear();
        headline_ = par_Text;
    } else if (par_Close) {
        sb_ProtokollAdd(kProtocolSeparator, "", false, false);
    }
    // The same text directly after itself counts up instead of adding a row.
    if (!list_.empty() && list_.row(0).sub(kColumnText) == par_Text) {
        const int count = std::stoi(list_.row(0).sub(kColumnCount));
        list_.setSubItem(0, kColumnCount, std::to_string(count + 1));
        return;
    }
    list_.insert(0, "", timeText());
    list_.setSubItem(0, kColumnCount, "1");
    list_.setSubItem(0, kColumnText, par_Text);
    list_.setSubItem(0, kColumnInfo, par_Info);
    events_.pump();
    // New rows go on top, so this separator stands above the headline.
    if (par_Init) sb_ProtokollAdd(kProtocolSeparator, "", false, false);
}

void Protocol::sb_ProtokollClear() { list_.clear(); }

void Protocol::sb_ProtokollClose(const std::string& par_Text) { sb_ProtokollAdd(par_Text, "", false, true); }

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
