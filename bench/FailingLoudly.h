// The benchmarks' error handler: any run-time error ends the benchmark with its procedure and text, so
// that no figure is printed for a run that did not do its work.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "errors/ErrorHandler.h"
#include "errors/RuntimeError.h"

namespace plenvik::bench {

class FailingLoudly : public ErrorHandler {
public:
    explicit FailingLoudly(const char* benchmark) : benchmark_(benchmark) {}
    void callStack(const std::string&) override {}
    int onError(const std::string& procedure, std::string&, const RuntimeError& e) override {
        std::fprintf(stderr, "%s: %s: %s\n", benchmark_, procedure.c_str(), e.what());
        std::exit(3);
    }

private:
    const char* benchmark_;
};

}  // namespace plenvik::bench
