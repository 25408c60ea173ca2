// "Let pending events run": long runs call it after every protocol entry and label change, which is
// how a second click on a running command reaches the cancel flag.
#pragma once

namespace plenvik {

class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void pump() = 0;
};

}  // namespace plenvik
