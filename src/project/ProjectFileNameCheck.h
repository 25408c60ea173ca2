// Whether a name the user typed can be a project file's name on Windows.
#pragma once

#include <string>

namespace plenvik {

// Empty when the name can be used; else the German reason, for the message box.
std::string projectFileNameProblem(const std::string& name);

}  // namespace plenvik
