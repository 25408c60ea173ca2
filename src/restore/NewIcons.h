// Icons on the desktop that the project does not know: listed as "NEW" rows, and removed when the
// user agrees (files and folders go to the recycle bin, system icons are hidden).
#pragma once

namespace plenvik {

struct RestoreRun;

// Adds a row for every current icon no saved icon pairs with. False when cancelled meanwhile.
bool findNewIcons(RestoreRun& run);

// Asks whether the new icons shall go.
bool askToRemoveNewIcons(RestoreRun& run);

// Removes the icons of the "NEW" rows, one after the other. False when the user cancelled: what went
// before stays gone, the rest stays.
bool removeNewIcons(RestoreRun& run);

}  // namespace plenvik
