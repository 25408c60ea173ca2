// Stand-ins for the platform in the settings unit tests (which run in every build, without the sim):
// files held in memory with failures on request, recorded message boxes, a fixed decimal separator.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "support/MemoryFileSystem.h"

namespace plenvik::test {

class MessageOnlyDialogs : public Dialogs {
public:
    std::vector<MessageBoxRequest> messages;
    MsgAnswer messageBox(const MessageBoxRequest& request) override {
        messages.push_back(request);
        return MsgAnswer::Ok;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override {
        ADD_FAILURE() << "the settings never ask for text";
        return std::nullopt;
    }
    std::optional<std::string> browseForFolder(const std::string&, const std::string&) override {
        ADD_FAILURE() << "the settings never ask for a folder";
        return std::nullopt;
    }
};

// Only the decimal separator matters to the settings dialog.
class SeparatorLocale : public Locale {
public:
    explicit SeparatorLocale(char decimal) : decimal_(decimal) {}
    std::string formatGeneralDate(const LocalTime&) override { return {}; }
    std::optional<LocalTime> parseGeneralDate(const std::string&) override { return std::nullopt; }
    char decimalSeparator() override { return decimal_; }
    char thousandsSeparator() override { return decimal_ == ',' ? '.' : ','; }

private:
    char decimal_;
};

}  // namespace plenvik::test
