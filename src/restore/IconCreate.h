// Putting a missing desktop icon back from the project shown: its file with the saved content, an
// empty folder, or a system icon made visible again, on the desktop it came from; then the new icon
// is moved to its saved place.
#pragma once

#include <cstddef>
#include <string>

namespace plenvik {

struct CurrentDesktop;
struct LoadedProject;
struct RestoreCounters;
struct RunContext;

// Re-creates icon index of the project (from 1; 0: the first icon called name) and counts it as
// created or not created; the answer about the all-users desktop is kept in counters. False only when
// the user cancelled that question; the caller then stops.
bool recreateIcon(RunContext& context, const LoadedProject& project, CurrentDesktop& current, std::size_t index, RestoreCounters& counters,
                  const std::string& name = {});

}  // namespace plenvik
