#include "platform/win32/Win32ShellFolders.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "errors/RuntimeError.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {
namespace {

// Texts are read whole: a target path longer than MAX_PATH is not cut to a path that names another file.
constexpr int kTextCapacity = 32768;

RuntimeError shellFailure(const char* operation, HRESULT hr) {
    return RuntimeError(static_cast<long>(hr), kAppTitle, win32FailureText(operation, static_cast<unsigned long>(hr)));
}

// Calls a getter of the form (buffer, capacity) and gives the text up to its first NUL; empty on failure.
template <class Getter>
std::string readText(Getter&& get) {
    std::wstring buffer(kTextCapacity, L'\0');
    if (FAILED(get(buffer.data(), kTextCapacity))) return {};
    buffer.resize(wcsnlen(buffer.c_str(), buffer.size()));
    return narrow(buffer);
}

class Win32ShellLink : public ShellLink {
public:
    Win32ShellLink() {
        HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link_.putVoid());
        if (FAILED(hr)) throw shellFailure("CoCreateInstance(ShellLink)", hr);
        hr = link_->QueryInterface(IID_IPersistFile, file_.putVoid());
        if (FAILED(hr)) throw shellFailure("IShellLink.QueryInterface(IPersistFile)", hr);
    }

    bool load(const std::string& linkFile) override { return SUCCEEDED(file_->Load(widen(linkFile).c_str(), STGM_READ)); }

    std::string path() override {
        return readText([&](wchar_t* b, int n) { return link_->GetPath(b, n, nullptr, SLGP_UNCPRIORITY); });
    }
    long setPath(const std::string& path) override { return link_->SetPath(widen(path).c_str()); }
    std::string workingDirectory() override {
        return readText([&](wchar_t* b, int n) { return link_->GetWorkingDirectory(b, n); });
    }
    long setWorkingDirectory(const std::string& dir) override { return link_->SetWorkingDirectory(widen(dir).c_str()); }
    std::string description() override {
        return readText([&](wchar_t* b, int n) { return link_->GetDescription(b, n); });
    }
    long setDescription(const std::string& text) override { return link_->SetDescription(widen(text).c_str()); }
    std::string arguments() override {
        return readText([&](wchar_t* b, int n) { return link_->GetArguments(b, n); });
    }
    long setArguments(const std::string& text) override { return link_->SetArguments(widen(text).c_str()); }
    int showCommand() override {
        int cmd = 0;
        return SUCCEEDED(link_->GetShowCmd(&cmd)) ? cmd : 0;
    }
    long setShowCommand(int cmd) override { return link_->SetShowCmd(cmd); }
    int hotKey() override {
        WORD key = 0;
        return SUCCEEDED(link_->GetHotkey(&key)) ? key : 0;
    }
    long setHotKey(int key) override { return link_->SetHotkey(static_cast<WORD>(key)); }
    std::string iconLocation(int* index) override {
        int i = 0;
        std::string path = readText([&](wchar_t* b, int n) { return link_->GetIconLocation(b, n, &i); });
        if (index) *index = i;
        return path;
    }
    long setIconLocation(const std::string& path, int index) override { return link_->SetIconLocation(widen(path).c_str(), index); }
    long resolve(long windowHandle, unsigned long flags) override {
        return link_->Resolve(reinterpret_cast<HWND>(static_cast<INT_PTR>(windowHandle)), static_cast<DWORD>(flags));
    }
    long save(const std::string& linkFile) override { return file_->Save(widen(linkFile).c_str(), TRUE); }

private:
    ComApartment apartment_;  // first member: the COM pointers are released while COM is still up
    ComPtr<IShellLinkW> link_;
    ComPtr<IPersistFile> file_;
};

}  // namespace

std::string Win32ShellFolders::specialFolderPath(int csidl) {
    wchar_t path[MAX_PATH] = {};
    const HRESULT hr = SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path);
    if (FAILED(hr)) throw shellFailure("SHGetFolderPathW", hr);
    return narrow(path);
}

std::unique_ptr<ShellLink> Win32ShellFolders::createLink() { return std::make_unique<Win32ShellLink>(); }

}  // namespace plenvik::win32
