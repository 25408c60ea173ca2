#include "ShellWindowsServer.h"

#include <shlguid.h>

#include "ShellFolderView.h"

namespace plenvik::testshell {

namespace {

class ShellWindowsFactory : public ComObject<IClassFactory> {
public:
    ShellWindowsFactory(ShellListView& view, HWND progman) : view_(view), progman_(progman) {}

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        ShellWindows* created = new ShellWindows(view_, progman_);
        const HRESULT hr = created->QueryInterface(riid, object);
        created->Release();
        return hr;
    }
    STDMETHODIMP LockServer(WINBOOL) override { return S_OK; }

protected:
    void* find(REFIID riid) override {
        return riid == IID_IUnknown || riid == IID_IClassFactory ? static_cast<IClassFactory*>(this) : nullptr;
    }

private:
    ShellListView& view_;
    HWND progman_;
};

}  // namespace

ShellBrowser::ShellBrowser(ShellListView& view, HWND progman) : activeView_(new ShellFolderView(view)), progman_(progman) {}

ShellBrowser::~ShellBrowser() { activeView_->Release(); }

void* ShellBrowser::find(REFIID riid) {
    if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IShellBrowser) return static_cast<IShellBrowser*>(this);
    if (riid == IID_IServiceProvider) return static_cast<IServiceProvider*>(this);
    if (riid == IID_IDispatch) return static_cast<IDispatch*>(this);
    return nullptr;
}

HRESULT ShellBrowser::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = progman_;
    return S_OK;
}

HRESULT ShellBrowser::QueryActiveShellView(IShellView** view) {
    if (!view) return E_POINTER;
    activeView_->AddRef();
    *view = activeView_;
    return S_OK;
}

HRESULT ShellBrowser::QueryService(REFGUID service, REFIID riid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (service != SID_STopLevelBrowser && service != SID_SShellBrowser) return E_NOINTERFACE;
    return QueryInterface(riid, object);
}

HRESULT ShellBrowser::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

void* ShellWindows::find(REFIID riid) {
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IShellWindows) return static_cast<IShellWindows*>(this);
    return nullptr;
}

HRESULT ShellWindows::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT ShellWindows::get_Count(LONG* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT ShellWindows::Item(VARIANT, IDispatch** folder) {
    if (!folder) return E_POINTER;
    *folder = nullptr;
    return S_FALSE;
}

HRESULT ShellWindows::FindWindowSW(VARIANT*, VARIANT*, int windowClass, LONG* window, int options, IDispatch** found) {
    if (found) *found = nullptr;
    if (window) *window = 0;
    if (windowClass != SWC_DESKTOP) return S_FALSE;
    if (window) *window = static_cast<LONG>(reinterpret_cast<LONG_PTR>(progman_));
    if (!(options & SWFO_NEEDDISPATCH)) return S_OK;
    if (!found) return E_POINTER;
    *found = new ShellBrowser(view_, progman_);  // created with its one reference, handed over
    return S_OK;
}

ShellWindowsRegistration::ShellWindowsRegistration(const GUID& windowsClass, ShellListView& view, HWND progman) {
    ShellWindowsFactory* factory = new ShellWindowsFactory(view, progman);
    result_ = CoRegisterClassObject(windowsClass, static_cast<IClassFactory*>(factory), CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
    factory->Release();  // the registration holds it
}

ShellWindowsRegistration::~ShellWindowsRegistration() {
    if (SUCCEEDED(result_)) CoRevokeClassObject(cookie_);
}

}  // namespace plenvik::testshell
