// CountdownMessageBox: asks the user to confirm something the program undoes by itself when nobody answers in
// time (a new screen resolution the user may not see). This is the form's model; the view mirrors its
// texts, looks and timer and reports clicks, timer ticks and the close box.
//
//   CountdownMessageBox form;                      // result 7
//   form.initialize(title, message, 10);    // the countdown text says 9 at once
//   form.Show();                         // the view runs it modally until Visible() is false
//   form.Result();                       // 5 confirmed, 2 cancelled, timed out or closed
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace plenvik {

inline constexpr int kMsgBoxOpen = 7;                   // nothing chosen yet
inline constexpr int kMsgBoxConfirmed = 5;              // lblCmdOk
inline constexpr int kMsgBoxCancelled = 2;              // lblCmdCancel, countdown ran out, or closed
inline constexpr unsigned kMsgBoxTimerInterval = 1000;  // ms

// A label that acts as a button: its tag and its look.
struct MsgBoxButton {
    std::string Tag;       // "", "DOWN" while pressed, "RUN" once it acted
    bool pressed = false;  // sunken look: tool-tip background, opaque, single border
};

class CountdownMessageBox {
public:
    // Called after every change of text, look, visibility or timer.
    void setChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }

    // Caption and lblTitle = title, txtMessage = message. With a timeout (seconds, limited to 0 ... 255)
    // starts tmrMain and runs its handler once, so the countdown text shows at once.
    void initialize(const std::string& title, const std::string& message, int timeoutSeconds);
    void Show();

    int Result() const { return result_; }
    bool Visible() const { return visible_; }
    int SecondsLeft() const { return secondsLeft_; }
    bool TimerEnabled() const { return timerEnabled_; }
    const std::string& Caption() const { return caption_; }
    const std::string& lblTitle() const { return title_; }
    const std::string& txtMessage() const { return message_; }
    const std::string& lblInfo() const { return info_; }
    const MsgBoxButton& lblCmdOk() const { return ok_; }
    const MsgBoxButton& lblCmdCancel() const { return cancel_; }

    // Once a second while the timer runs: counts down, or cancels when no second is left.
    void timerFired();
    // Left button pressed / released over a label; inside: released over the same label.
    void okMouseDown() { buttonDown(ok_); }
    void okMouseUp(bool inside) { buttonUp(ok_, inside, kMsgBoxConfirmed); }
    void cancelMouseDown() { buttonDown(cancel_); }
    void cancelMouseUp(bool inside) { buttonUp(cancel_, inside, kMsgBoxCancelled); }
    // The close box (and Escape): cancels while nothing was chosen, and hides the form.
    void queryUnload();

private:
    void buttonDown(MsgBoxButton& button);
    void buttonUp(MsgBoxButton& button, bool inside, int result);
    void hide();
    void notify() {
        if (changed_) changed_();
    }

    std::function<void()> changed_;
    int result_ = kMsgBoxOpen;
    int secondsLeft_ = 0;  // 0 ... 255
    bool timerEnabled_ = false;
    bool visible_ = false;
    std::string caption_, title_, message_, info_;
    MsgBoxButton ok_, cancel_;
};

// "Maske schließt in <n> Sek. ..."
std::string msgBoxCountdownText(int seconds);

}  // namespace plenvik
