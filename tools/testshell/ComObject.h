// The IUnknown of the test shell's COM objects: a reference count and QueryInterface over the
// interfaces the object lists. The object deletes itself with its last reference.
#pragma once

#include <windows.h>
#include <objbase.h>

namespace plenvik::testshell {

template <class... Interfaces>
class ComObject : public Interfaces... {
public:
    virtual ~ComObject() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        *object = find(riid);
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

protected:
    // The interface riid names, as a pointer of that interface's type; nullptr when not offered.
    virtual void* find(REFIID riid) = 0;

private:
    LONG references_ = 1;
};

}  // namespace plenvik::testshell
