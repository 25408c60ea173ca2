#include <sys/stat.h>

#include "support/FileContractTests.h"
#include "support/FileScratchPosix.h"

namespace plenvik::test {
namespace {

class PosixFileBed : public PosixScratch {
public:
    void makeReadOnlyAndHidden(const std::string& path) {
        // Linux knows no hidden attribute; read-only is the write bit.
        ASSERT_EQ(::chmod(native(path).c_str(), 0444), 0);
    }
    bool enforcesExclusiveOpen() const { return false; }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Posix, FileContract, PosixFileBed);

}  // namespace plenvik::test
