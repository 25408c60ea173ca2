// The icon list's pop-up menu mnuIcon: check and correct the place of the selected icon or of every
// checked one (re-creating an icon that is missing), and check or uncheck every row.
#pragma once

namespace plenvik {

class frmMain;

// The items of mnuIcon, as the click handler receives them (4 is the separator).
inline constexpr int kIconMenuRepairSelected = 1, kIconMenuRepairChecked = 2, kIconMenuCheckAll = 5,
                     kIconMenuUncheckAll = 6;

void mnuIconWork_Click(frmMain& form, int index);

}  // namespace plenvik
