// The test shell's desktop folder (IShellFolder) as its folder view hands it out: display names of the
// items, in the form the caller asks for. Its ID lists carry the item's key (not its index), so that an
// ID list names the same item after a refresh renumbered the view, as the shell's own ID lists do.
#pragma once

#include <shlobj.h>

#include <optional>
#include <string>

#include "ComObject.h"
#include "ShellListView.h"

namespace plenvik::testshell {

// A child ID list for the item with this key (CoTaskMemAlloc); the key back from such a list.
PITEMID_CHILD makeItemId(const std::string& key);
std::optional<std::string> keyOfItemId(PCUIDLIST_RELATIVE id);

class ShellFolder : public ComObject<IShellFolder> {
public:
    explicit ShellFolder(ShellListView& view) : view_(view) {}

    STDMETHODIMP ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE*, ULONG*) override { return E_NOTIMPL; }
    STDMETHODIMP EnumObjects(HWND, SHCONTF, IEnumIDList**) override { return E_NOTIMPL; }
    STDMETHODIMP BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE) override { return E_NOTIMPL; }
    STDMETHODIMP CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP GetAttributesOf(UINT, PCUITEMID_CHILD_ARRAY, SFGAOF*) override { return E_NOTIMPL; }
    STDMETHODIMP GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID, UINT*, void**) override { return E_NOTIMPL; }
    // SHGDN_FORPARSING: the parsing name (full path, "::{CLSID}"; with SHGDN_INFOLDER the file name);
    // else the label the view shows.
    STDMETHODIMP GetDisplayNameOf(PCUITEMID_CHILD id, SHGDNF flags, STRRET* name) override;
    STDMETHODIMP SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD*) override { return E_NOTIMPL; }

protected:
    void* find(REFIID riid) override;

private:
    ShellListView& view_;
};

}  // namespace plenvik::testshell
