// Calls into Explorer that take no time-out of their own (COM calls to its folder view, window
// functions that send to its thread and wait) run on a thread of their own and are waited for at most a
// time-out. A call that does not return in time is left to finish on its own: its work must own
// everything it uses (capture by value). Until it has finished, later calls through the same
// BoundedCalls fail at once, as SendMessageTimeout(SMTO_ABORTIFHUNG) does for a hung window, instead of
// each waiting out the time-out again.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <thread>
#include <utility>

#include "platform/win32/DesktopMessages.h"

namespace plenvik::win32 {

class BoundedCalls {
public:
    explicit BoundedCalls(UINT timeoutMs) : timeoutMs_(timeoutMs) {}

    // work's result, or what it threw. Throws RuntimeError (ERROR_TIMEOUT) when work did not return
    // within the time-out, or when an earlier call has still not returned.
    template <class Result>
    Result run(const char* operation, std::function<Result()> work) {
        if (unfinished_ && !unfinished_->load()) throwDesktopNoAnswer(operation, ERROR_TIMEOUT);
        unfinished_.reset();
        auto finished = std::make_shared<std::atomic<bool>>(false);
        std::packaged_task<Result()> task(std::move(work));
        std::future<Result> result = task.get_future();
        std::thread([task = std::move(task), finished]() mutable {
            task();
            finished->store(true);
        }).detach();
        if (result.wait_for(std::chrono::milliseconds(timeoutMs_)) != std::future_status::ready) {
            unfinished_ = std::move(finished);
            throwDesktopNoAnswer(operation, ERROR_TIMEOUT);
        }
        return result.get();
    }

private:
    UINT timeoutMs_;
    std::shared_ptr<std::atomic<bool>> unfinished_;  // the call left running, while it runs
};

}  // namespace plenvik::win32
