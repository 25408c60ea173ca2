// Dialogs of the simulated platform: every question is recorded with its exact text, and answered
// from a script the test sets up. A question without a scripted answer fails the test loudly.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/EventPump.h"

namespace plenvik::sim {

struct AskedQuestion {
    enum class Kind { MessageBox, InputBox, FolderBrowser, CountdownBox } kind;
    std::string text;   // message, prompt, or browser title
    std::string title;  // message box / input box title; initial folder for the browser
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    std::string defaultText;
    int seconds = 0;                   // the countdown box's timeout
    bool secondButtonDefault = false;  // a message box whose default answer is "No"
};

class UnscriptedQuestion : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class SimDialogs : public Dialogs {
public:
    std::vector<AskedQuestion> asked;

    void answerMessage(MsgAnswer a) { messageAnswers_.push_back(a); }
    void answerInput(std::optional<std::string> text) { inputAnswers_.push_back(std::move(text)); }
    void answerFolder(std::optional<std::string> folder) { folderAnswers_.push_back(std::move(folder)); }
    // The countdown box's result: 5 confirmed, 2 cancelled or timed out.
    void answerCountdown(int result) { countdownAnswers_.push_back(result); }
    // Answers every message box with a, once the scripted answers are used up.
    void answerAllMessages(MsgAnswer a) { defaultMessageAnswer_ = a; }
    bool allAnswersUsed() const {
        return messageAnswers_.empty() && inputAnswers_.empty() && folderAnswers_.empty() && countdownAnswers_.empty();
    }

    MsgAnswer messageBox(const MessageBoxRequest& r) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
    std::optional<std::string> browseForFolder(const std::string& title, const std::string& initial) override;
    int countdownBox(const std::string& message, const std::string& title, int seconds) override;

private:
    std::deque<MsgAnswer> messageAnswers_;
    std::deque<std::optional<std::string>> inputAnswers_;
    std::deque<std::optional<std::string>> folderAnswers_;
    std::deque<int> countdownAnswers_;
    std::optional<MsgAnswer> defaultMessageAnswer_;
};

// "Let pending events run": counts the calls and fires the events a test has scheduled for the n-th
// call (for example a click on the running command button), so cancelling is deterministic.
class SimEventPump : public EventPump {
public:
    int pumps = 0;
    void at(int pumpNumber, std::function<void()> event) { scheduled_.push_back({pumpNumber, std::move(event)}); }
    // Runs at every pump, before the scheduled events (what other processes do meanwhile).
    void always(std::function<void()> work) { always_.push_back(std::move(work)); }
    void pump() override;

private:
    std::vector<std::function<void()>> always_;
    struct Scheduled {
        int pumpNumber;
        std::function<void()> event;
    };
    std::vector<Scheduled> scheduled_;
};

}  // namespace plenvik::sim
