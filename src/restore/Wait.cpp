#include "restore/Wait.h"

#include <chrono>
#include <thread>

#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/Platform.h"

namespace plenvik {
namespace {

constexpr double kLastSecondsOfTheDay = 86395;

double secondsSinceMidnight(const LocalTime& t) { return t.hour * 3600.0 + t.minute * 60.0 + t.second; }

}  // namespace

void waitSeconds(Platform& platform, std::int32_t seconds) {
    Clock& clock = platform.clock;
    const double start = secondsSinceMidnight(clock.now());
    const double end = start + seconds;
    platform.events.pump();
    for (;;) {
        const double now = secondsSinceMidnight(clock.now());
        if (now >= end || now == 0 || now > kLastSecondsOfTheDay || now < start) return;
        // A short pause between the rounds keeps the processor free for the desktop being waited for.
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        platform.events.pump();
    }
}

}  // namespace plenvik
