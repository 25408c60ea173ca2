#include "shellext/PlenvikStart.h"

#include <shellapi.h>

namespace plenvik::shellext {

std::wstring startFailureText(const std::wstring& parameters) { return L"Fehler beim Aufrufen des Programmes Plenvik.exe.\n" + parameters; }

bool startPlenvik(const std::wstring& folder, const std::wstring& parameters) {
    const std::wstring program = folder + kPlenvikExe;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // Our own message box reports a failure; the shell's would come on top of it.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = folder.c_str();
    info.nShow = SW_SHOW;
    if (ShellExecuteExW(&info)) return true;
    const std::wstring text = startFailureText(parameters);
    MessageBoxW(nullptr, text.c_str(), kStartFailureCaption, MB_OK);
    return false;
}

}  // namespace plenvik::shellext
