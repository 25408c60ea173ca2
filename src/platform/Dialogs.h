// Questions to the user: message boxes, the input box, the folder browser, the countdown box. The sim answers from a
// script and records every question; Windows shows the real dialogs.
#pragma once

#include <optional>
#include <string>

namespace plenvik {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct MessageBoxRequest {
    std::string text;
    std::string title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    bool secondButtonDefault = false;  // "No" of Yes/No is the default (Enter answers it)
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgAnswer messageBox(const MessageBoxRequest& request) = 0;
    // Empty optional for Cancel; the text as typed otherwise (it may be empty).
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) = 0;
    // A file-system folder below the desktop; empty optional for Cancel.
    virtual std::optional<std::string> browseForFolder(const std::string& title, const std::string& initial) = 0;
    // The question that undoes itself when nobody answers in time (a new screen resolution the user
    // may not see): 5 confirmed, 2 cancelled, closed or timed out. seconds 0: no countdown.
    // A platform that cannot show it answers 2, so a change nobody saw confirmed is undone.
    virtual int countdownBox(const std::string& message, const std::string& title, int seconds) {
        (void)message, (void)title, (void)seconds;
        return 2;
    }
};

}  // namespace plenvik
