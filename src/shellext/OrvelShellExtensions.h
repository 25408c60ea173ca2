// The COM class "OrvelShellExtensions Class": the context menu "&Plenvik" on the background of a folder
// window or of the desktop. Its interface tables in order: IOrvelShellExtensions (dual, over IDispatch,
// with no operations of its own), IShellExtInit, IContextMenu.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <shlobj.h>

#include <optional>
#include <string>

#include "platform/win32/Scoped.h"
#include "shellext/ShellMenuModel.h"

namespace plenvik::shellext {

struct IOrvelShellExtensions : public IDispatch {};

class OrvelShellExtensions final : public IOrvelShellExtensions, public IShellExtInit, public IContextMenu {
public:
    // Creates an object and asks it for the interface; the object lives as long as that reference.
    static HRESULT create(REFIID iid, void** object);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argumentError) override;

    // IShellExtInit
    HRESULT STDMETHODCALLTYPE Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY programKey) override;

    // IContextMenu
    HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags) override;
    HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO* info) override;
    HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR offset, UINT type, UINT* reserved, CHAR* buffer, UINT size) override;

private:
    OrvelShellExtensions();
    ~OrvelShellExtensions();
    OrvelShellExtensions(const OrvelShellExtensions&) = delete;
    OrvelShellExtensions& operator=(const OrvelShellExtensions&) = delete;

    HRESULT typeInfo(ITypeInfo** info);

    LONG references_ = 1;
    std::wstring moduleFolder_;          // where Plenvik.exe and the project files lie
    win32::UniqueGdiObject menuBitmap_;  // resource 103, the picture of every item
    HMENU subMenu_ = nullptr;            // built by the last QueryContextMenu; the shell's menu owns it
    std::optional<ShellMenu> menu_;      // what the last QueryContextMenu offered
    std::wstring folderPath_;            // the folder whose background was clicked
    win32::ComPtr<ITypeInfo> typeInfo_;  // built when a client first asks for it
};

}  // namespace plenvik::shellext
