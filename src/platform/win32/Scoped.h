// Owners for every Win32 resource: handles, find handles, registry keys, DCs, GDI objects and their
// selections, modules, COM pointers and memory blocks in another process. Nothing is closed by hand.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <cstddef>
#include <cstdint>
#include <utility>

namespace plenvik::win32 {

// A handle with a close function and an "invalid" value.
template <class H, class Traits>
class Scoped {
public:
    Scoped() = default;
    explicit Scoped(H h) : h_(h) {}
    ~Scoped() { reset(); }
    Scoped(Scoped&& o) noexcept : h_(std::exchange(o.h_, Traits::invalid())) {}
    Scoped& operator=(Scoped&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, Traits::invalid());
        }
        return *this;
    }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;

    H get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::invalid(); }
    H release() { return std::exchange(h_, Traits::invalid()); }
    void reset(H h = Traits::invalid()) {
        if (h_ != Traits::invalid()) Traits::close(h_);
        h_ = h;
    }

private:
    H h_ = Traits::invalid();
};

struct FileHandleTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { ::CloseHandle(h); }
};
struct KernelHandleTraits {
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { ::FindClose(h); }
};
struct RegKeyTraits {
    static HKEY invalid() { return nullptr; }
    static void close(HKEY h) { ::RegCloseKey(h); }
};
struct GdiObjectTraits {
    static HGDIOBJ invalid() { return nullptr; }
    static void close(HGDIOBJ h) { ::DeleteObject(h); }
};
struct MemoryDcTraits {
    static HDC invalid() { return nullptr; }
    static void close(HDC h) { ::DeleteDC(h); }
};
struct ModuleTraits {
    static HMODULE invalid() { return nullptr; }
    static void close(HMODULE h) { ::FreeLibrary(h); }
};
struct IconTraits {
    static HICON invalid() { return nullptr; }
    static void close(HICON h) { ::DestroyIcon(h); }
};

using UniqueFile = Scoped<HANDLE, FileHandleTraits>;      // CreateFile
using UniqueHandle = Scoped<HANDLE, KernelHandleTraits>;  // OpenProcess, CreateFileMapping, events
using UniqueFind = Scoped<HANDLE, FindHandleTraits>;
using UniqueKey = Scoped<HKEY, RegKeyTraits>;
using UniqueGdiObject = Scoped<HGDIOBJ, GdiObjectTraits>;
using UniqueMemoryDc = Scoped<HDC, MemoryDcTraits>;
using UniqueModule = Scoped<HMODULE, ModuleTraits>;
using UniqueIcon = Scoped<HICON, IconTraits>;

// A DC from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND w) : w_(w), dc_(::GetDC(w)) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(w_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND w_;
    HDC dc_;
};

// An object selected into a DC for the guard's lifetime.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~Selection() {
        if (old_) ::SelectObject(dc_, old_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A COM interface pointer, released when the owner goes.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& o) noexcept {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters of factory calls: releases what is held first.
    T** put() {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    void reset() {
        if (p_) {
            p_->Release();
            p_ = nullptr;
        }
    }

private:
    T* p_ = nullptr;
};

// A block of committed memory in another process (VirtualAllocEx), released with VirtualFreeEx. The
// process handle is borrowed: it must stay open as long as the block lives.
class RemoteMemory {
public:
    RemoteMemory() = default;
    // Check with operator bool; on failure GetLastError() tells why.
    RemoteMemory(HANDLE process, std::size_t size)
        : process_(process),
          address_(static_cast<char*>(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))),
          size_(address_ ? size : 0) {}
    ~RemoteMemory() { reset(); }
    RemoteMemory(RemoteMemory&& o) noexcept
        : process_(o.process_), address_(std::exchange(o.address_, nullptr)), size_(std::exchange(o.size_, 0)) {}
    RemoteMemory& operator=(RemoteMemory&& o) noexcept {
        if (this != &o) {
            reset();
            process_ = o.process_;
            address_ = std::exchange(o.address_, nullptr);
            size_ = std::exchange(o.size_, 0);
        }
        return *this;
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    explicit operator bool() const { return address_ != nullptr; }
    std::size_t size() const { return size_; }
    // The address of a byte of the block, valid in the other process only.
    void* at(std::size_t offset) const { return address_ + offset; }
    std::uint64_t addressAt(std::size_t offset) const { return reinterpret_cast<std::uintptr_t>(at(offset)); }
    LPARAM lparamAt(std::size_t offset) const { return reinterpret_cast<LPARAM>(at(offset)); }

    bool write(std::size_t offset, const void* data, std::size_t n) const {
        SIZE_T done = 0;
        return offset + n <= size_ && ::WriteProcessMemory(process_, at(offset), data, n, &done) && done == n;
    }
    bool read(std::size_t offset, void* data, std::size_t n) const {
        SIZE_T done = 0;
        return offset + n <= size_ && ::ReadProcessMemory(process_, at(offset), data, n, &done) && done == n;
    }
    void reset() {
        if (address_) ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        address_ = nullptr;
        size_ = 0;
    }
    // Leaves the block to the other process: for when it may still write into it later (a message
    // that refers to it is still waiting there), where freeing it could corrupt that process.
    void abandon() {
        address_ = nullptr;
        size_ = 0;
    }

private:
    HANDLE process_ = nullptr;
    char* address_ = nullptr;
    std::size_t size_ = 0;
};

// Memory the shell hands out with CoTaskMemAlloc (ID lists, display names), freed with CoTaskMemFree.
template <class T>
class CoTaskMemory {
public:
    CoTaskMemory() = default;
    ~CoTaskMemory() { ::CoTaskMemFree(p_); }
    CoTaskMemory(const CoTaskMemory&) = delete;
    CoTaskMemory& operator=(const CoTaskMemory&) = delete;
    T get() const { return p_; }
    T* put() {
        ::CoTaskMemFree(p_);
        p_ = nullptr;
        return &p_;
    }

private:
    T p_ = nullptr;
};

// CoInitialize for a scope.
class ComApartment {
public:
    ComApartment() : hr_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(hr_)) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT hr_;
};

}  // namespace plenvik::win32
