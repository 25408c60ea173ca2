#include "platform/sim/SimDialogs.h"

namespace plenvik::sim {

MsgAnswer SimDialogs::messageBox(const MessageBoxRequest& r) {
    asked.push_back({AskedQuestion::Kind::MessageBox, r.text, r.title, r.buttons, r.icon, "", 0, r.secondButtonDefault});
    if (!messageAnswers_.empty()) {
        const MsgAnswer a = messageAnswers_.front();
        messageAnswers_.pop_front();
        return a;
    }
    if (defaultMessageAnswer_) return *defaultMessageAnswer_;
    throw UnscriptedQuestion("unscripted message box: " + r.title + " / " + r.text);
}

std::optional<std::string> SimDialogs::inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
    asked.push_back({AskedQuestion::Kind::InputBox, prompt, title, MsgButtons::OkCancel, MsgIcon::None, defaultText});
    if (inputAnswers_.empty()) throw UnscriptedQuestion("unscripted input box: " + title + " / " + prompt);
    auto a = inputAnswers_.front();
    inputAnswers_.pop_front();
    return a;
}

std::optional<std::string> SimDialogs::browseForFolder(const std::string& title, const std::string& initial) {
    asked.push_back({AskedQuestion::Kind::FolderBrowser, title, initial, MsgButtons::OkCancel, MsgIcon::None, ""});
    if (folderAnswers_.empty()) throw UnscriptedQuestion("unscripted folder browser: " + title);
    auto a = folderAnswers_.front();
    folderAnswers_.pop_front();
    return a;
}

int SimDialogs::countdownBox(const std::string& message, const std::string& title, int seconds) {
    AskedQuestion q{AskedQuestion::Kind::CountdownBox, message, title, MsgButtons::OkCancel, MsgIcon::None, ""};
    q.seconds = seconds;
    asked.push_back(std::move(q));
    if (countdownAnswers_.empty()) throw UnscriptedQuestion("unscripted countdown box: " + title + " / " + message);
    const int a = countdownAnswers_.front();
    countdownAnswers_.pop_front();
    return a;
}

void SimEventPump::pump() {
    ++pumps;
    for (auto& work : always_) work();
    // Take the due events out first: an event may itself pump (a question box does).
    std::vector<std::function<void()>> due;
    for (auto it = scheduled_.begin(); it != scheduled_.end();) {
        if (it->pumpNumber == pumps) {
            due.push_back(std::move(it->event));
            it = scheduled_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& e : due) e();
}

}  // namespace plenvik::sim
