#include "errors/CallStackTrace.h"

#include "errors/ErrorTexts.h"
#include "errors/TimeText.h"

namespace plenvik {
namespace {

std::string entryText(const LocalTime& time, const std::string& procedure, int count) {
    return clockTimeText(time) + " - " + procedure + " (" + std::to_string(count) + ")";
}

}  // namespace

void CallStackTrace::enter(const std::string& procedure, const LocalTime& now) {
    if (entries_.empty() || procedure != lastProcedure_) {
        repeatCount_ = 1;
        entries_.push_front({now, entryText(now, procedure, repeatCount_)});
    } else {
        ++repeatCount_;
        entries_.front().text = entryText(entries_.front().time, procedure, repeatCount_);
    }
    lastProcedure_ = procedure;
    while (entries_.size() > kMaxEntries) entries_.pop_back();
}

void CallStackTrace::markSystemError() {
    if (!entries_.empty()) entries_.front().text += errtext::kSystemErrorMark;
}

std::vector<std::string> CallStackTrace::lines() const {
    std::vector<std::string> out;
    out.reserve(entries_.size());
    for (const auto& e : entries_) out.push_back(e.text);
    return out;
}

}  // namespace plenvik
