// Comparing a loaded project with the current desktop, and making the desktop like the project again:
// view style and snap-to-grid, display modes, icon positions (with up to three repeated passes),
// missing icons re-created, new icons found and, after asking, removed.
#pragma once

namespace plenvik {

struct CurrentDesktop;
struct LoadedProject;
struct RestoreMode;
struct RunContext;

enum class RestoreConfirmation { Run, Declined, Mismatch };

// Asks whether the desktop shall be restored from the project, and once more where the project comes
// from another computer, another user or a desktop with another number of monitors.
RestoreConfirmation confirmRestore(RunContext& context, const LoadedProject& project, CurrentDesktop& current);

// The comparison (mode.analyseOnly) or restore run. True when it reached its end; false when it was
// cancelled or the user stopped the re-creation of icons.
bool restoreDesktop(RunContext& context, const LoadedProject& project, CurrentDesktop& current, RestoreMode mode);

}  // namespace plenvik
