#include "platform/win32/ShellRecycle.h"

#include <windows.h>
#include <shellapi.h>
#include <shobjidl.h>

#include "platform/win32/Scoped.h"

namespace plenvik::win32 {
namespace {

// Lets the operation delete an item only when the shell will recycle it (TSF_DELETE_RECYCLE_IF_POSSIBLE);
// any other delete is aborted before it happens and remembered. Lives on the caller's stack for one
// operation, so its reference count is only for COM's rules.
class RecycleOnlySink : public IFileOperationProgressSink {
public:
    bool asked() const { return asked_; }
    bool refused() const { return refused_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IFileOperationProgressSink)) {
            *out = static_cast<IFileOperationProgressSink*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(InterlockedDecrement(&refs_)); }

    HRESULT STDMETHODCALLTYPE PreDeleteItem(DWORD flags, IShellItem*) override {
        asked_ = true;
        if (flags & TSF_DELETE_RECYCLE_IF_POSSIBLE) return S_OK;
        refused_ = true;
        return E_ABORT;
    }

    HRESULT STDMETHODCALLTYPE StartOperations() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE FinishOperations(HRESULT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PreRenameItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostRenameItem(DWORD, IShellItem*, LPCWSTR, HRESULT, IShellItem*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PreMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT, IShellItem*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PreCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT, IShellItem*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostDeleteItem(DWORD, IShellItem*, HRESULT, IShellItem*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PreNewItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostNewItem(DWORD, IShellItem*, LPCWSTR, LPCWSTR, DWORD, HRESULT, IShellItem*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UpdateProgress(UINT, UINT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResetTimer() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PauseTimer() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResumeTimer() override { return S_OK; }

private:
    LONG refs_ = 1;
    bool asked_ = false, refused_ = false;
};

// Removes the sink from the operation when the call ends.
class Advice {
public:
    Advice(IFileOperation* op, IFileOperationProgressSink* sink) : op_(op) {
        if (FAILED(op_->Advise(sink, &cookie_))) op_ = nullptr;
    }
    ~Advice() {
        if (op_) op_->Unadvise(cookie_);
    }
    Advice(const Advice&) = delete;
    Advice& operator=(const Advice&) = delete;
    explicit operator bool() const { return op_ != nullptr; }

private:
    IFileOperation* op_;
    DWORD cookie_ = 0;
};

}  // namespace

std::optional<RecycleResult> recycleThroughFileOperation(const std::wstring& path) {
    ComApartment com;
    ComPtr<IFileOperation> op;
    if (FAILED(CoCreateInstance(CLSID_FileOperation, nullptr, CLSCTX_ALL, IID_IFileOperation, op.putVoid()))) return std::nullopt;
    if (FAILED(op->SetOperationFlags(FOF_ALLOWUNDO | FOFX_RECYCLEONDELETE | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI)))
        return std::nullopt;
    ComPtr<IShellItem> item;
    if (FAILED(SHCreateItemFromParsingName(path.c_str(), nullptr, IID_IShellItem, item.putVoid()))) return RecycleResult::Failed;
    RecycleOnlySink sink;
    const Advice advice(op.get(), &sink);
    if (!advice) return std::nullopt;
    if (op->DeleteItem(item.get(), nullptr) == E_NOTIMPL) return std::nullopt;
    const HRESULT done = op->PerformOperations();
    if (sink.refused()) return RecycleResult::NotRecyclable;
    // An operation that never showed the sink the item did not delete it the way Windows does (Wine).
    if (!sink.asked()) return std::nullopt;
    BOOL aborted = FALSE;
    op->GetAnyOperationsAborted(&aborted);
    return SUCCEEDED(done) && !aborted ? RecycleResult::Recycled : RecycleResult::Failed;
}

}  // namespace plenvik::win32
