#include "ShellOptions.h"

#include <objbase.h>

#include <cwchar>

#include "platform/win32/Wide.h"

namespace plenvik::testshell {

namespace {

// Numbers separated by sep, exactly count of them.
bool parseNumbers(const std::wstring& text, wchar_t sep, std::size_t count, std::vector<long>& out, int base = 10) {
    out.clear();
    const wchar_t* p = text.c_str();
    while (true) {
        wchar_t* end = nullptr;
        const long v = std::wcstol(p, &end, base);
        if (end == p) return false;
        out.push_back(v);
        if (*end == 0) break;
        if (*end != sep) return false;
        p = end + 1;
    }
    return out.size() == count;
}

}  // namespace

std::optional<ShellOptions> parseShellOptions(const std::vector<std::wstring>& arguments, std::string& error) {
    ShellOptions o;
    std::vector<long> n;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        auto value = [&]() -> const std::wstring& { return arguments[++i]; };
        if (a == L"--snap") {
            o.snap = true;
        } else if (a == L"--no-snap") {
            o.snap = false;
        } else if (a == L"--show-extensions") {
            o.hideExtensions = false;
        } else if (a == L"--keep-outside-moves") {
            o.behaviour.discardOutsideMoves = false;
        } else if (a == L"--no-renumber") {
            o.behaviour.renumberOnRefresh = false;
        } else if (a == L"--no-restyle") {
            o.behaviour.restyleOnRefresh = false;
        } else if (a == L"--state" && hasValue) {
            o.stateFile = value();
        } else if (a == L"--class" && hasValue) {
            if (FAILED(CLSIDFromString(value().c_str(), &o.shellWindowsClass))) {
                error = "bad class identifier: " + win32::narrow(arguments[i]);
                return std::nullopt;
            }
        } else if (a == L"--no-system-icons") {
            o.systemIcons = false;
        } else if (a == L"--workerw") {
            o.workerW = true;
        } else if (a == L"--grid" && hasValue && parseNumbers(value(), L',', 4, n) && n[2] > 0 && n[3] > 0) {
            o.grid.left = static_cast<int>(n[0]);
            o.grid.top = static_cast<int>(n[1]);
            o.grid.cellWidth = static_cast<int>(n[2]);
            o.grid.cellHeight = static_cast<int>(n[3]);
            o.gridGiven = true;
        } else if (a == L"--style" && hasValue && parseNumbers(value(), L',', 1, n, 16)) {
            o.style = static_cast<std::int32_t>(n[0]) & 0x103;
        } else if (a == L"--size" && hasValue && parseNumbers(value(), L'x', 2, n) && n[0] > 0 && n[1] > 0) {
            o.width = static_cast<int>(n[0]);
            o.height = static_cast<int>(n[1]);
        } else if (a == L"--icons" && hasValue) {
            o.iconsFile = value();
        } else if (a == L"--positions" && hasValue) {
            o.positionsFile = value();
        } else if (a == L"--ready" && hasValue) {
            o.readyFile = value();
        } else if (a == L"--dump" && hasValue) {
            o.dumpFile = value();
        } else if (a == L"--hang-event" && hasValue) {
            o.hangEvent = value();
        } else {
            error = "unknown option or bad value: " + win32::narrow(a);
            return std::nullopt;
        }
    }
    return o;
}

}  // namespace plenvik::testshell
