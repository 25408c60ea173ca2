// The test shell's view of its desktop folder, as Explorer's desktop offers it to other processes:
// IShellView (the view's window is SHELLDLL_DefView) and IFolderView2 (items, positions, moves that the
// shell keeps, view mode and folder flags). Everything reads and changes the shell's list view and model.
#pragma once

#include <shlobj.h>

#include <cstdint>
#include <optional>

#include "ComObject.h"
#include "ShellListView.h"

namespace plenvik::testshell {

class ShellFolderView : public ComObject<IShellView, IFolderView2> {
public:
    explicit ShellFolderView(ShellListView& view) : view_(view) {}

    // IOleWindow, IShellView
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }
    STDMETHODIMP EnableModeless(WINBOOL) override { return E_NOTIMPL; }
    STDMETHODIMP UIActivate(UINT) override { return E_NOTIMPL; }
    STDMETHODIMP Refresh() override;
    STDMETHODIMP CreateViewWindow(IShellView*, LPCFOLDERSETTINGS, IShellBrowser*, RECT*, HWND*) override { return E_NOTIMPL; }
    STDMETHODIMP DestroyViewWindow() override { return E_NOTIMPL; }
    STDMETHODIMP GetCurrentInfo(LPFOLDERSETTINGS settings) override;
    STDMETHODIMP AddPropertySheetPages(DWORD, LPFNSVADDPROPSHEETPAGE, LPARAM) override { return E_NOTIMPL; }
    STDMETHODIMP SaveViewState() override { return E_NOTIMPL; }
    STDMETHODIMP SelectItem(PCUITEMID_CHILD, SVSIF) override { return E_NOTIMPL; }
    STDMETHODIMP GetItemObject(UINT, REFIID, void**) override { return E_NOTIMPL; }

    // IFolderView
    STDMETHODIMP GetCurrentViewMode(UINT* mode) override;
    STDMETHODIMP SetCurrentViewMode(UINT mode) override;
    STDMETHODIMP GetFolder(REFIID riid, void** folder) override;
    STDMETHODIMP Item(int index, PITEMID_CHILD* id) override;
    STDMETHODIMP ItemCount(UINT flags, int* count) override;
    STDMETHODIMP Items(UINT, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP GetSelectionMarkedItem(int*) override { return E_NOTIMPL; }
    STDMETHODIMP GetFocusedItem(int*) override { return E_NOTIMPL; }
    STDMETHODIMP GetItemPosition(PCUITEMID_CHILD id, POINT* at) override;
    STDMETHODIMP GetSpacing(POINT* spacing) override;
    STDMETHODIMP GetDefaultSpacing(POINT* spacing) override { return GetSpacing(spacing); }
    STDMETHODIMP GetAutoArrange() override;
    STDMETHODIMP SelectItem(int, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SelectAndPositionItems(UINT count, PCUITEMID_CHILD_ARRAY ids, POINT* at, DWORD flags) override;

    // IFolderView2
    STDMETHODIMP SetGroupBy(REFPROPERTYKEY, WINBOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetGroupBy(PROPERTYKEY*, WINBOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP SetViewProperty(PCUITEMID_CHILD, REFPROPERTYKEY, REFPROPVARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP GetViewProperty(PCUITEMID_CHILD, REFPROPERTYKEY, PROPVARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP SetTileViewProperties(PCUITEMID_CHILD, LPCWSTR) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtendedTileViewProperties(PCUITEMID_CHILD, LPCWSTR) override { return E_NOTIMPL; }
    STDMETHODIMP SetText(FVTEXTTYPE, LPCWSTR) override { return E_NOTIMPL; }
    STDMETHODIMP SetCurrentFolderFlags(DWORD mask, DWORD flags) override;
    STDMETHODIMP GetCurrentFolderFlags(DWORD* flags) override;
    STDMETHODIMP GetSortColumnCount(int*) override { return E_NOTIMPL; }
    STDMETHODIMP SetSortColumns(const SORTCOLUMN*, int) override { return E_NOTIMPL; }
    STDMETHODIMP GetSortColumns(SORTCOLUMN*, int) override { return E_NOTIMPL; }
    STDMETHODIMP GetItem(int, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP GetVisibleItem(int, WINBOOL, int*) override { return E_NOTIMPL; }
    STDMETHODIMP GetSelectedItem(int, int*) override { return E_NOTIMPL; }
    STDMETHODIMP GetSelection(WINBOOL, IShellItemArray**) override { return E_NOTIMPL; }
    STDMETHODIMP GetSelectionState(PCUITEMID_CHILD, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP InvokeVerbOnSelection(LPCSTR) override { return E_NOTIMPL; }
    STDMETHODIMP SetViewModeAndIconSize(FOLDERVIEWMODE mode, int size) override;
    STDMETHODIMP GetViewModeAndIconSize(FOLDERVIEWMODE* mode, int* size) override;
    STDMETHODIMP SetGroupSubsetCount(UINT) override { return E_NOTIMPL; }
    STDMETHODIMP GetGroupSubsetCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP SetRedraw(WINBOOL) override { return S_OK; }
    STDMETHODIMP IsMoveInSameFolder() override { return S_FALSE; }
    STDMETHODIMP DoRename() override { return E_NOTIMPL; }

protected:
    void* find(REFIID riid) override;

private:
    std::optional<int> indexOf(PCUITEMID_CHILD id) const;

    ShellListView& view_;
};

// The folder view's mode for the view type of a list-view style word, and back (0 for a mode the
// desktop list view has no type for).
UINT viewModeOfStyle(std::int32_t style);
std::optional<std::int32_t> viewTypeOfMode(UINT mode);

}  // namespace plenvik::testshell
