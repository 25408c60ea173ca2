// libFuzzer target for the project reader: every input is read as a header and as a whole file. Both
// must come back as data (never an exception or a read outside the bytes), agree on the header where
// both succeed, and a failure must carry a message.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "project/ProjectFileReader.h"

using namespace plenvik;
using fuzz::check;

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
    return 0;
}
