// libFuzzer target for the project reader: every input is read as a header and as a whole file. Both
// must come back as data (never an exception or a read outside the bytes), agree on the header where
// both succeed, and a failure must carry a message. The lean reading of a file (contents left in the
// file) must come to the whole reading's result, and a big file's error placed in the file must be the
// one the whole reading reports, also when the file system hands it the file in short pieces.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "project/ProjectFileReader.h"
#include "project/ProjectFileScan.h"
#include "support/MemoryFileSystem.h"

using namespace plenvik;
using fuzz::check;

namespace {

void checkLeanReading(std::string_view bytes, const ProjectDocumentResult& whole) {
    test::MemoryFileSystem files;
    files.files["C:\\p.Plenvk"] = std::string(bytes);
    const auto lean = scanProjectFile(files, "C:\\p.Plenvk", std::numeric_limits<std::uint64_t>::max());
    // Pieces cut at places that change with the input, so that tags and texts are cut anywhere.
    std::size_t sum = 0;
    for (const char c : bytes) sum += static_cast<unsigned char>(c);
    files.readLimit = 1 + sum % 97;
    const auto placed = scanProjectFile(files, "C:\\p.Plenvk", 0);
    check(lean && placed, "a file in memory can be scanned");
    check(lean->result.ok() == whole.ok() && placed->result.ok() == whole.ok(), "the lean readings succeed where the whole one does");
    if (whole.ok()) {
        check(lean->result.document.icons.size() == whole.document.icons.size(), "the lean reading finds every icon");
        return;
    }
    const ProjectReadError &w = whole.error, &p = placed->result.error;
    check(p.status == w.status && p.element == w.element && p.text == w.text, "the placed error is the whole reading's");
    check(p.parse.offset == w.parse.offset && p.parse.line == w.parse.line && p.parse.linePosition == w.parse.linePosition &&
              p.parse.sourceText == w.parse.sourceText && p.parse.reason == w.parse.reason,
          "the placed error stands where the whole reading puts it");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ProjectHeaderResult header = readProjectHeader(bytes);
    const ProjectDocumentResult whole = readProjectFile(bytes);
    if (!header.ok()) check(!header.error.message().empty(), "a failed header read has a message");
    if (!whole.ok()) check(!whole.error.message().empty(), "a failed read has a message");
    // The whole read needs only what the analysis uses; the header read needs all eight header elements.
    if (whole.ok() && header.ok()) check(header.header == whole.document.header, "both reads agree on the header");
    if (whole.ok() && !header.ok())
        check(header.error.status == ProjectReadStatus::MissingElement, "a file read whole lacks at most a header element");
    checkLeanReading(bytes, whole);
    return 0;
}
