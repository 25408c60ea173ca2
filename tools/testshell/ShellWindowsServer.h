// The test shell's shell windows, served to other processes: a class object registered under the
// shell's class (CoRegisterClassObject, local server) whose IShellWindows answers FindWindowSW
// (SWC_DESKTOP) with the desktop's browser; the browser (IDispatch, IServiceProvider, IShellBrowser)
// gives the active view, the shell's folder view. Wine's own ShellWindows (in its explorer.exe) answers
// with a desktop view of its own and takes no registrations, so clients ask for this class instead.
#pragma once

#include <exdisp.h>
#include <shlobj.h>

#include "ComObject.h"
#include "ShellListView.h"

namespace plenvik::testshell {

class ShellBrowser : public ComObject<IShellBrowser, IServiceProvider, IDispatch> {
public:
    ShellBrowser(ShellListView& view, HWND progman);
    ~ShellBrowser() override;

    // IOleWindow, IShellBrowser
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InsertMenusSB(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenuSB(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
    STDMETHODIMP RemoveMenusSB(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusTextSB(LPCWSTR) override { return E_NOTIMPL; }
    STDMETHODIMP EnableModelessSB(WINBOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAcceleratorSB(MSG*, WORD) override { return S_FALSE; }
    STDMETHODIMP BrowseObject(PCUIDLIST_RELATIVE, UINT) override { return E_NOTIMPL; }
    STDMETHODIMP GetViewStateStream(DWORD, IStream**) override { return E_NOTIMPL; }
    STDMETHODIMP GetControlWindow(UINT, HWND*) override { return E_NOTIMPL; }
    STDMETHODIMP SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryActiveShellView(IShellView** view) override;
    STDMETHODIMP OnViewWindowActive(IShellView*) override { return E_NOTIMPL; }
    STDMETHODIMP SetToolbarItems(LPTBBUTTONSB, UINT, UINT) override { return E_NOTIMPL; }

    // IServiceProvider: SID_STopLevelBrowser (and SID_SShellBrowser) is this browser.
    STDMETHODIMP QueryService(REFGUID service, REFIID riid, void** object) override;

    // IDispatch: no automation; the object is handed out as a dispatch pointer only.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }

protected:
    void* find(REFIID riid) override;

private:
    IShellView* activeView_;
    HWND progman_;
};

class ShellWindows : public ComObject<IShellWindows> {
public:
    ShellWindows(ShellListView& view, HWND progman) : view_(view), progman_(progman) {}

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }

    // No folder windows are open: the desktop is found with FindWindowSW only, as with Explorer.
    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP Item(VARIANT, IDispatch** folder) override;
    STDMETHODIMP _NewEnum(IUnknown**) override { return E_NOTIMPL; }
    STDMETHODIMP Register(IDispatch*, LONG, int, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP RegisterPending(LONG, VARIANT*, VARIANT*, int, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP Revoke(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP OnNavigate(LONG, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP OnActivated(LONG, VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP FindWindowSW(VARIANT* location, VARIANT* root, int windowClass, LONG* window, int options, IDispatch** found) override;
    STDMETHODIMP OnCreated(LONG, IUnknown*) override { return E_NOTIMPL; }
    STDMETHODIMP ProcessAttachDetach(VARIANT_BOOL) override { return E_NOTIMPL; }

protected:
    void* find(REFIID riid) override;

private:
    ShellListView& view_;
    HWND progman_;
};

// The class object, registered for other processes while it lives (CLSCTX_LOCAL_SERVER,
// REGCLS_MULTIPLEUSE). COM must be initialised on this thread, which must pump messages.
class ShellWindowsRegistration {
public:
    ShellWindowsRegistration(const GUID& windowsClass, ShellListView& view, HWND progman);
    ~ShellWindowsRegistration();
    ShellWindowsRegistration(const ShellWindowsRegistration&) = delete;
    ShellWindowsRegistration& operator=(const ShellWindowsRegistration&) = delete;
    HRESULT result() const { return result_; }

private:
    HRESULT result_ = E_FAIL;
    DWORD cookie_ = 0;
};

}  // namespace plenvik::testshell
