// What the shell extension's Windows tests share: a scratch folder holding a copy of the built DLL
// (the DLL's own folder is where it looks for Plenvik.exe and the projects), the DLL loaded from there,
// and objects made through its class object, as the shell makes them.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "driver/WineDriver.h"
#include "platform/win32/Scoped.h"
#include "shellext/ShellExtensionIds.h"

namespace plenvik::test {

inline std::wstring testComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? std::wstring(name, size) : std::wstring();
}

inline bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline void writeFile(const std::wstring& path, const std::string& content) {
    win32::UniqueFile f(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(f) << "cannot create a test file";
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(f.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
}

// A new folder under the temporary folder, ending with a backslash; removed with what it holds.
class ScratchFolder {
public:
    ScratchFolder() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        static int serial = 0;
        path_ =
            std::wstring(temp) + L"PlenvikShellExt_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++serial) + L"\\";
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchFolder() { removeTree(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& path() const { return path_; }

private:
    static void removeTree(const std::wstring& folder) {
        WIN32_FIND_DATAW data{};
        win32::UniqueFind find(FindFirstFileW((folder + L"*").c_str(), &data));
        if (find) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..") continue;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    removeTree(folder + name + L"\\");
                else
                    DeleteFileW((folder + name).c_str());
            } while (FindNextFileW(find.get(), &data));
        }
        find.reset();
        RemoveDirectoryW(folder.c_str());
    }
    std::wstring path_;
};

// The DLL under test: the build's, or the one PLENVIK_SHELLEXT_DLL names (the installer's tests point the
// extension's tests at the installed DLL this way).
inline std::wstring extensionUnderTest() {
    wchar_t named[MAX_PATH + 1] = {};
    const DWORD n = GetEnvironmentVariableW(L"PLENVIK_SHELLEXT_DLL", named, MAX_PATH + 1);
    if (n > 0 && n <= MAX_PATH) return named;
    return buildFolder() + L"\\OrvelShellExtensions.dll";
}

// The DLL under test, copied into a scratch folder and loaded from there.
class LoadedExtension {
public:
    using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using NoArgumentFn = HRESULT(STDAPICALLTYPE*)();

    explicit LoadedExtension(const std::wstring& folder) : path_(folder + L"OrvelShellExtensions.dll") {
        if (!CopyFileW(extensionUnderTest().c_str(), path_.c_str(), FALSE)) return;
        module_.reset(LoadLibraryW(path_.c_str()));
    }
    bool loaded() const { return static_cast<bool>(module_); }
    HMODULE module() const { return module_.get(); }
    const std::wstring& path() const { return path_; }

    template <class Fn>
    Fn entry(const char* name) const {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
    }
    HRESULT canUnloadNow() const { return entry<NoArgumentFn>("DllCanUnloadNow")(); }

    // An object of the class, as the shell gets it: class object, CreateInstance.
    template <class I>
    HRESULT create(REFIID iid, win32::ComPtr<I>& object) const {
        win32::ComPtr<IClassFactory> factory;
        const HRESULT hr =
            entry<GetClassObjectFn>("DllGetClassObject")(shellext::kClsidOrvelShellExtensions, IID_IClassFactory, factory.putVoid());
        if (FAILED(hr)) return hr;
        return factory->CreateInstance(nullptr, iid, object.putVoid());
    }

private:
    std::wstring path_;
    win32::UniqueModule module_;
};

}  // namespace plenvik::test
