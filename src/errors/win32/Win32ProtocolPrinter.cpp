#include "errors/win32/Win32ProtocolPrinter.h"

#include <windows.h>
#include <commdlg.h>

#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {
namespace {

// The printer's DC (DeleteDC frees a printer DC as it does a memory DC) and PrintDlg's memory blocks.
struct DefaultPrinter {
    UniqueMemoryDc dc;
    HGLOBAL devMode = nullptr;
    HGLOBAL devNames = nullptr;
    ~DefaultPrinter() {
        if (devMode) GlobalFree(devMode);
        if (devNames) GlobalFree(devNames);
    }
};

// A started print job that is aborted unless it is ended.
class PrintJob {
public:
    explicit PrintJob(HDC dc) : dc_(dc) {
        DOCINFOW doc{};
        doc.cbSize = sizeof doc;
        doc.lpszDocName = L"Plenvik Fehlerprotokoll";
        started_ = StartDocW(dc_, &doc) > 0;
    }
    ~PrintJob() {
        if (started_) AbortDoc(dc_);
    }
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;
    bool started() const { return started_; }
    bool end() {
        started_ = false;
        return EndDoc(dc_) > 0;
    }

private:
    HDC dc_;
    bool started_ = false;
};

}  // namespace

bool Win32ProtocolPrinter::print(const std::vector<std::string>& lines) {
    DefaultPrinter printer;
    PRINTDLGW request{};
    request.lStructSize = sizeof request;
    request.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    const BOOL found = PrintDlgW(&request);
    printer.devMode = request.hDevMode;
    printer.devNames = request.hDevNames;
    printer.dc.reset(request.hDC);
    if (!found || !printer.dc) return false;  // no default printer
    HDC dc = printer.dc.get();

    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    UniqueGdiObject font(CreateFontW(-MulDiv(8, dpiY, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"Courier"));
    PrintJob job(dc);
    if (!job.started()) return false;
    Selection selected(dc, font.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    const int left = dpiX / 2, top = dpiY / 2;  // half an inch
    const int bottom = GetDeviceCaps(dc, VERTRES) - dpiY / 2;

    if (StartPage(dc) <= 0) return false;
    int y = top;
    for (const auto& line : lines) {
        if (y + lineHeight > bottom && y > top) {
            if (EndPage(dc) <= 0 || StartPage(dc) <= 0) return false;
            y = top;
        }
        const std::wstring text = widen(line);
        TextOutW(dc, left, y, text.c_str(), static_cast<int>(text.size()));
        y += lineHeight;
    }
    if (EndPage(dc) <= 0) return false;
    return job.end();
}

}  // namespace plenvik::win32
