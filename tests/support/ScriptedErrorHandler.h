// An error handler for tests: records every procedure entry and every reported error, and answers
// with scripted actions (kActionLeave once the script is used up).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "errors/ErrorHandler.h"

namespace plenvik::test {

class ScriptedErrorHandler : public ErrorHandler {
public:
    struct Report {
        std::string procedure;
        long number;
        std::string description;
    };
    std::vector<std::string> entered;
    std::vector<Report> reports;
    std::deque<int> answers;

    void callStack(const std::string& procedure) override { entered.push_back(procedure); }
    int onError(const std::string& procedure, std::string&, const RuntimeError& e) override {
        reports.push_back({procedure, e.number(), e.description()});
        if (answers.empty()) return kActionLeave;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace plenvik::test
