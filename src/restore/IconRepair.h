// The icon list's pop-up menu mnuIcon: check and correct the place of the selected icon or of every
// checked one (re-creating an icon that is missing), and check or uncheck every row.
#pragma once

namespace plenvik {

struct CurrentDesktop;
struct LoadedProject;
struct RunContext;

// The items of mnuIcon, as the click handler receives them (4 is the separator).
inline constexpr int kIconMenuRepairSelected = 1, kIconMenuRepairChecked = 2, kIconMenuCheckAll = 5, kIconMenuUncheckAll = 6;

// Carries out menu item index on the icon list; the repair acts on the saved icons of the project shown
// (none when project is null: only the check marks change then).
void runIconMenu(RunContext& context, const LoadedProject* project, CurrentDesktop& current, int index);

}  // namespace plenvik
