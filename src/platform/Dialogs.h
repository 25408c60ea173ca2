// Questions to the user: message boxes, the input box, the folder browser. The sim answers from a
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
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgAnswer messageBox(const MessageBoxRequest& request) = 0;
    // Empty optional for Cancel; the text as typed otherwise (it may be empty).
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) = 0;
    // A file-system folder below the desktop; empty optional for Cancel.
    virtual std::optional<std::string> browseForFolder(const std::string& title, const std::string& initial) = 0;
};

}  // namespace plenvik
