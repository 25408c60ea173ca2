// An error handler for tests: records every procedure entry and every reported error, and answers
// with scripted actions. An error the test did not script an answer for fails the test (and is
// answered with kActionLeave), so no error passes unnoticed.
#pragma once

#include <gtest/gtest.h>

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
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted error in " << procedure << ": " << e.description();
            return kActionLeave;
        }
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace plenvik::test
