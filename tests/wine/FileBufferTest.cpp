#include "support/FileContractTests.h"
#include "support/FileScratchWin32.h"

namespace plenvik::test {
namespace {

class Win32FileBed : public Win32Scratch {
public:
    void makeReadOnlyAndHidden(const std::string& path) {
        ASSERT_NE(SetFileAttributesW(win32::widen(path).c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0);
        // The plain delete must refuse it, or the test would not show that the force is needed.
        ASSERT_FALSE(files().deleteFile(path, false));
    }
    bool enforcesExclusiveOpen() const { return true; }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileContract, Win32FileBed);

}  // namespace plenvik::test
