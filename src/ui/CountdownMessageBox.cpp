#include "ui/CountdownMessageBox.h"

#include <algorithm>

namespace plenvik {

std::string msgBoxCountdownText(int seconds) { return "Maske schlie\u00DFt in " + std::to_string(seconds) + " Sek. ..."; }

void CountdownMessageBox::initialize(const std::string& title, const std::string& message, int timeoutSeconds) {
    caption_ = title;
    title_ = title;
    message_ = message;
    secondsLeft_ = std::clamp(timeoutSeconds, 0, 255);
    timerEnabled_ = false;
    if (secondsLeft_ > 0) {
        timerEnabled_ = true;
        timerFired();
    }
    notify();
}

void CountdownMessageBox::Show() {
    visible_ = true;
    notify();
}

void CountdownMessageBox::timerFired() {
    if (result_ != kMsgBoxOpen) return;  // a tick that was already queued when the user answered
    timerEnabled_ = false;
    if (secondsLeft_ > 0) {
        --secondsLeft_;
        info_ = msgBoxCountdownText(secondsLeft_);
        timerEnabled_ = true;
    } else {
        result_ = kMsgBoxCancelled;
        hide();
    }
    notify();
}

void CountdownMessageBox::buttonDown(MsgBoxButton& button) {
    button.Tag = "DOWN";
    button.pressed = true;
    notify();
}

void CountdownMessageBox::buttonUp(MsgBoxButton& button, bool inside, int result) {
    const bool marked = button.Tag == "DOWN";
    button.pressed = false;
    if (inside && marked) {
        button.Tag = "RUN";
        result_ = result;
        hide();
    } else if (marked) {
        button.Tag.clear();  // released elsewhere: no action, and no button left looking pressed
    }
    notify();
}

void CountdownMessageBox::queryUnload() {
    if (result_ == kMsgBoxOpen) result_ = kMsgBoxCancelled;
    hide();
    notify();
}

void CountdownMessageBox::hide() {
    visible_ = false;
    timerEnabled_ = false;  // an answered form counts down no further
}

}  // namespace plenvik
