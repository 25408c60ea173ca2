#include "platform/win32/Win32Platform.h"

namespace plenvik::win32 {

Win32Platform::Win32Platform() {
    platform_ = std::make_unique<Platform>(
        Platform{system_, clock_, locale_, dialogs_, events_, processes_, files_, registry_, shell_, displays_, desktop_});
}

Win32Platform::~Win32Platform() = default;

}  // namespace plenvik::win32
