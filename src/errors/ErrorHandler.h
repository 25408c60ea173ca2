// The central error handler that every procedure with error handling reports to.
#pragma once

#include <string>

#include "errors/RuntimeError.h"

namespace plenvik {

// What the failing procedure does next.
enum ErrorAction : int { kActionRetry = 0, kActionNext = 1, kActionLeave = 2, kActionEnd = 3, kActionDebug = 4 };

class ErrorHandler {
public:
    virtual ~ErrorHandler() = default;
    // Registers entry into a procedure (its qualified name) in the call-stack trace.
    virtual void callStack(const std::string& procedure) = 0;
    // Reports a failure and returns the user's decision (ErrorAction).
    virtual int onError(const std::string& procedure, std::string& info, const RuntimeError& error) = 0;
};

}  // namespace plenvik
