// The class object of OrvelShellExtensions, handed out by DllGetClassObject.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace plenvik::shellext {

class ClassFactory final : public IClassFactory {
public:
    // A new class object, asked for the interface; counts as a live object of the module.
    static HRESULT create(REFIID iid, void** object);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ClassFactory();
    ~ClassFactory();
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    LONG references_ = 1;
};

}  // namespace plenvik::shellext
