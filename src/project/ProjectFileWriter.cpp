#include "project/ProjectFileWriter.h"

#include <string_view>

#include "common/Text.h"
#include "project/ProjectNames.h"

namespace plenvik {
namespace {

constexpr std::string_view kEol = "\r\n";
constexpr std::string_view kIndentData = "    ";
constexpr std::string_view kIndentItem = "        ";
constexpr std::string_view kIndentField = "            ";

// Line breaks inside a value become character references, so that they survive the reader's line-end
// normalisation and every line of the file stays one element. The other C0 controls and the two
// non-characters cannot appear in XML even as references; they become U+FFFD, which marks the spot.
std::string makeXmlSafe(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const char32_t cp = nextCodePoint(utf8, pos);
        if (cp == U'\r')
            out += "&#xD;";
        else if (cp == U'\n')
            out += "&#xA;";
        else if ((cp < 0x20 && cp != U'\t') || cp == 0xFFFE || cp == 0xFFFF)
            appendUtf8(out, 0xFFFD);
        else if (cp == 0xFFFD)
            appendUtf8(out, cp);  // also stands for an invalid sequence, never copied
        else
            out.append(utf8.substr(start, pos - start));
    }
    return out;
}

class LineWriter {
public:
    explicit LineWriter(ByteSink& sink) : sink_(sink) {}

    void line(std::string_view indent, std::string_view text) {
        buffer_.assign(indent);
        buffer_ += text;
        buffer_ += kEol;
        sink_.write(buffer_);
    }
    void open(std::string_view indent, std::string_view name) { tag(indent, "<", name, kEol); }
    void close(std::string_view indent, std::string_view name) { tag(indent, "</", name, kEol); }

    // <name>value</name> with the value already in the file's form.
    void element(std::string_view indent, std::string_view name, std::string_view fileValue) {
        buffer_.assign(indent);
        buffer_ += '<';
        buffer_ += name;
        buffer_ += '>';
        buffer_ += fileValue;
        buffer_ += "</";
        buffer_ += name;
        buffer_ += '>';
        buffer_ += kEol;
        sink_.write(buffer_);
    }
    void text(std::string_view indent, std::string_view name, std::string_view utf8) { element(indent, name, projectFileText(utf8)); }
    void number(std::string_view indent, std::string_view name, std::int64_t value) { element(indent, name, std::to_string(value)); }

    // <name>, whatever `content` writes into the sink, </name>.
    template <class Content>
    void streamed(std::string_view indent, std::string_view name, Content&& content) {
        tag(indent, "<", name, {});
        content(sink_);
        tag({}, "</", name, kEol);
    }

private:
    // indent, "<" or "</", name, ">", end. Built by appending: GCC 12 warns wrongly about
    // "literal" + std::string at -O3.
    void tag(std::string_view indent, std::string_view open, std::string_view name, std::string_view end) {
        buffer_.assign(indent);
        buffer_ += open;
        buffer_ += name;
        buffer_ += '>';
        buffer_ += end;
        sink_.write(buffer_);
    }

    ByteSink& sink_;
    std::string buffer_;
};

void writeMonitor(LineWriter& out, const MonitorRecord& m, std::size_t k) {
    const std::string name = monitorElementName(k);
    out.open(kIndentItem, name);
    out.number(kIndentField, "Nr", m.Nr);
    out.number(kIndentField, "Left", m.Left);
    out.number(kIndentField, "Top", m.Top);
    out.number(kIndentField, "Right", m.Right);
    out.number(kIndentField, "Bottom", m.Bottom);
    out.number(kIndentField, "Width", m.Width);
    out.number(kIndentField, "Height", m.Height);
    out.number(kIndentField, "Frequency", m.Frequency);
    out.number(kIndentField, "ColorDepth", m.ColorDepth);
    out.text(kIndentField, "DeviceName", m.DeviceName);
    out.close(kIndentItem, name);
}

void writeIcon(LineWriter& out, const ProjectFileIcon& entry, std::size_t j, const ProjectWriteCallbacks& callbacks) {
    static const DesktopIcon kNoIcon;
    const DesktopIcon& icon = entry.icon ? *entry.icon : kNoIcon;
    const std::string name = iconElementName(j);
    out.open(kIndentItem, name);
    out.number(kIndentField, "Nr", entry.Nr);
    out.text(kIndentField, "Name", icon.Name);
    out.number(kIndentField, "PosX", icon.PosX);
    out.number(kIndentField, "PosY", icon.PosY);
    out.text(kIndentField, "FileName", icon.FileName);
    out.text(kIndentField, "FileType", icon.FileType);
    out.number(kIndentField, "FileShellFolderType", icon.FileShellFolderType);
    out.number(kIndentField, "FileReasonNotLoaded", icon.FileReasonNotLoaded);
    out.streamed(kIndentField, "FileData_BASE64", [&](ByteSink& sink) {
        if (callbacks.iconContent)
            callbacks.iconContent(entry, sink);
        else
            sink.write(icon.FileData_BASE64);
    });
    out.close(kIndentItem, name);
}

}  // namespace

std::string projectFileText(std::string_view utf8) { return utf8ToWindows1252(makeXmlSafe(escapeXmlText(utf8)), Unmappable::XmlCharRef); }

WriteOutcome writeProjectFile(const ProjectWriteData& data, ByteSink& sink, const ProjectWriteCallbacks& callbacks) {
    // A stop still hands on what is written, so that the sink holds exactly the lines so far.
    const auto stop = [&](WriteStage stage, std::size_t index) {
        if (!callbacks.progress || callbacks.progress(WriteProgress{stage, index}) == WriteDecision::Continue) return false;
        sink.flush();
        return true;
    };
    LineWriter out(sink);

    out.line("", R"(<?xml version="1.0" encoding="windows-1252"?>)");
    out.open("", "DATA");
    out.text(kIndentData, "Title", kProductTitle);
    out.text(kIndentData, "OrvelVersion", data.version);
    out.text(kIndentData, "ComputerName", data.computerName);
    out.text(kIndentData, "UserName", data.userName);
    out.text(kIndentData, "DateTime", data.dateTime);
    out.number(kIndentData, "DesktopArrangeStyle", data.arrangeStyle);
    out.number(kIndentData, "DesktopViewStyle", data.viewStyle);
    out.streamed(kIndentData, "ScreenPicture", [&](ByteSink& s) {
        if (callbacks.screenPicture)
            callbacks.screenPicture(s);
        else
            s.write(data.screenPicture);
    });
    out.element(kIndentData, "ScreenPictureHorizontalOperator", formatSingle(data.horizontalOperator, data.decimalSeparator));
    out.element(kIndentData, "ScreenPictureVerticalOperator", formatSingle(data.verticalOperator, data.decimalSeparator));
    if (stop(WriteStage::Picture, 0)) return WriteOutcome::Stopped;

    out.number(kIndentData, "MonitorCount", static_cast<std::int64_t>(data.monitors.size()));
    out.open(kIndentData, "MONITOR_DATA");
    for (std::size_t k = 1; k <= data.monitors.size(); ++k) {
        writeMonitor(out, data.monitors[k - 1], k);
        if (stop(WriteStage::Monitor, k)) return WriteOutcome::Stopped;
    }
    out.close(kIndentData, "MONITOR_DATA");
    if (stop(WriteStage::Monitors, data.monitors.size())) return WriteOutcome::Stopped;

    out.number(kIndentData, "IconCount", static_cast<std::int64_t>(data.icons.size()));
    out.open(kIndentData, "ICON_DATA");
    for (std::size_t j = 1; j <= data.icons.size(); ++j) {
        if (callbacks.beforeIcon) callbacks.beforeIcon(data.icons[j - 1]);
        writeIcon(out, data.icons[j - 1], j, callbacks);
        if (stop(WriteStage::Icon, j)) return WriteOutcome::Stopped;
    }
    out.close(kIndentData, "ICON_DATA");
    if (stop(WriteStage::Icons, data.icons.size())) return WriteOutcome::Stopped;

    out.close("", "DATA");
    sink.flush();
    return WriteOutcome::Completed;
}

}  // namespace plenvik
