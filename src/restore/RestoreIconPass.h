// One pass over the saved icons: each is paired by its label with an icon of the freshly read desktop
// and checked, moved or (when missing) re-created.
#pragma once

namespace plenvik {

struct RestoreRun;

enum class PassOutcome { Completed, Cancelled, Aborted };

// attempt: the repeated passes made before this one (0 for the first); correct icons count only then.
PassOutcome iconPass(RestoreRun& run, int attempt);

}  // namespace plenvik
