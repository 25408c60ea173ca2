// What a save, an analysis or a restore tells the user while it works, and how it learns that the user
// wants it to stop: the two status lines, the progress bar, the protocol, the busy cursor, the event
// pump and the cancel flag. The main window's controller implements it; tests may record it.
#pragma once

#include <cstdint>
#include <string>

namespace plenvik {

class RunFeedback {
public:
    virtual ~RunFeedback() = default;

    virtual const std::string& info() const = 0;
    virtual void setInfo(const std::string& text) = 0;
    virtual void setInfoColor(std::uint32_t color) = 0;
    virtual const std::string& monitorInfo() const = 0;
    virtual void setMonitorInfo(const std::string& text) = 0;
    virtual void setMonitorInfoColor(std::uint32_t color) = 0;

    virtual void startProgress(long maximum) = 0;
    virtual void setProgress(long value) = 0;
    virtual void endProgress() = 0;
    virtual void setBusyCursor(bool busy) = 0;

    // The protocol of runs: a run opens it with a title, adds lines and closes it with its result.
    virtual void startProtocol(const std::string& title) = 0;
    virtual void addToProtocol(const std::string& text) = 0;
    virtual void closeProtocol(const std::string& result) = 0;

    // Lets pending window events run (a cancel click among them).
    virtual void pumpEvents() = 0;
    // True once the user has confirmed cancelling; the run that stops for it calls clearCancel().
    virtual bool cancelRequested() const = 0;
    virtual void clearCancel() = 0;
};

}  // namespace plenvik
