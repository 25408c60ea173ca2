#include "system/ShellLinkFile.h"

#include <cstdio>

#include "errors/RuntimeError.h"

namespace plenvik {
namespace {

constexpr const char* kSource = "Plenvik.clsShellLink";

std::string hex(long hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr) & 0xFFFFFFFFul);
    return text;
}

}  // namespace

ShellLinkFile::ShellLinkFile(ShellFolders& shell, FileSystem& files) : shell_(shell), files_(files) {}

ShellLink& ShellLinkFile::link() {
    if (!link_) link_ = shell_.createLink();
    return *link_;
}

void ShellLinkFile::check(long hr, const char* operation) {
    if (static_cast<std::int32_t>(hr) < 0)
        throw RuntimeError(hr, kSource, std::string("Automatisierungsfehler: ") + operation + " (" + hex(hr) + ")");
}

std::string ShellLinkFile::Path() { return link().path(); }

void ShellLinkFile::setPath(const std::string& path) {
    if (path.empty() || !files_.exists(path)) throw RuntimeError(kErrorFileNotFound, kSource, "Datei nicht gefunden");
    check(link().setPath(path), "IShellLink.SetPath");
}

std::string ShellLinkFile::WorkingDirectory() { return link().workingDirectory(); }
void ShellLinkFile::setWorkingDirectory(const std::string& dir) {
    check(link().setWorkingDirectory(dir), "IShellLink.SetWorkingDirectory");
}

std::string ShellLinkFile::Description() { return link().description(); }
void ShellLinkFile::setDescription(const std::string& text) { check(link().setDescription(text), "IShellLink.SetDescription"); }

std::string ShellLinkFile::Arguments() { return link().arguments(); }
void ShellLinkFile::setArguments(const std::string& text) { check(link().setArguments(text), "IShellLink.SetArguments"); }

int ShellLinkFile::DisplayMode() { return link().showCommand(); }
void ShellLinkFile::setDisplayMode(int mode) {
    const int stored = (mode == 1 || mode == 3 || mode == 7) ? mode : 1;
    check(link().setShowCommand(stored), "IShellLink.SetShowCmd");
}

int ShellLinkFile::HotKey() { return link().hotKey() & 0xFFFF; }
void ShellLinkFile::setHotKey(int key) { check(link().setHotKey(key & 0xFFFF), "IShellLink.SetHotkey"); }

IconLocation ShellLinkFile::Icon() {
    IconLocation icon;
    icon.path = link().iconLocation(&icon.index);
    return icon;
}
void ShellLinkFile::setIcon(int index) { check(link().setIconLocation(Path(), index), "IShellLink.SetIconLocation"); }
void ShellLinkFile::setIcon(const std::string& file) { check(link().setIconLocation(file, 0), "IShellLink.SetIconLocation"); }

void ShellLinkFile::Save(const std::string& linkFile) {
    if (linkFile.empty()) throw RuntimeError(kErrorBadFileName, kSource, "Dateiname oder -nummer falsch");
    check(link().save(linkFile), "IPersistFile.Save");
}

void ShellLinkFile::Resolve(const std::string& linkFile, long flags, long windowHandle, long timeoutMs) {
    // A fresh object for every file: a load that fails must not leave the previous link's target behind.
    link_ = shell_.createLink();
    link_->load(linkFile);
    if (flags == kResolveLoadOnly) return;
    unsigned long resolveFlags = static_cast<unsigned long>(flags);
    if (flags == kResolveNoUi && timeoutMs >= 1) resolveFlags |= (static_cast<unsigned long>(timeoutMs) & 0xFFFFul) << 16;
    check(link_->resolve(windowHandle, resolveFlags), "IShellLink.Resolve");
}

std::string linkTargetPath(ShellFolders& shell, FileSystem& files, const std::string& linkFile, long windowHandle) {
    ShellLinkFile link(shell, files);
    for (int attempt = 0; attempt < 4; ++attempt) {
        try {
            link.Resolve(linkFile, kResolveLoadOnly, windowHandle, 1);
            return link.Path();
        } catch (const RuntimeError& e) {
            if (e.number() != kShellTimeout) return {};
        }
    }
    return {};
}

}  // namespace plenvik
