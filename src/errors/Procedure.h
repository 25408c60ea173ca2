// A procedure with error handling: it registers in the call-stack trace on entry, runs its statements
// as steps, and carries out the handler's decision when a step fails - retry the step, go on with the
// next one, leave the procedure with the result so far, or end the program.
#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "errors/ErrorHandler.h"

namespace plenvik {

// Thrown by a step for "leave the procedure"; Procedure::run catches it.
struct LeaveProcedure {};
// Thrown for "end the program"; the program's top level ends the program when it arrives.
struct EndProgram {};

class Procedure {
public:
    // formAndName: "frmMain.fc_DesktopIconsGet"; the qualified name gets the application title in front.
    Procedure(ErrorHandler& handler, std::string_view formAndName)
        : handler_(handler), name_(std::string(kAppTitle) + "." + std::string(formAndName)) {
        handler_.callStack(name_);
    }

    const std::string& name() const { return name_; }

    // Runs the body; "leave the procedure" ends it early, keeping whatever the body has set so far.
    template <class Body>
    void run(Body&& body) {
        try {
            std::forward<Body>(body)();
        } catch (const LeaveProcedure&) {}
    }

    // Runs one statement. Returns true when it completed, false when it failed and was skipped.
    template <class Statement>
    bool step(Statement&& statement) {
        for (;;) {
            try {
                statement();
                return true;
            } catch (const LeaveProcedure&) {
                throw;
            } catch (const EndProgram&) {
                throw;
            } catch (const RuntimeError& e) {
                if (!decide(e)) return false;
            } catch (const std::exception& e) {
                if (!decide(RuntimeError::from(e))) return false;
            }
        }
    }

private:
    // True: run the statement again. False: go on with the next one. Throws for leave and end.
    bool decide(const RuntimeError& error) {
        std::string info = "...";
        switch (handler_.onError(name_, info, error)) {
        case kActionRetry:
        case kActionDebug: return true;
        case kActionNext: return false;
        case kActionEnd: throw EndProgram{};
        case kActionLeave:
        default: throw LeaveProcedure{};
        }
    }

    ErrorHandler& handler_;
    std::string name_;
};

}  // namespace plenvik
