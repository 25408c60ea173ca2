// libFuzzer target for the project reader: every input is read as a header and as a whole file. Both
// must come back as data (never an exception or a read outside the bytes), agree on the header, and a
// failure must carry a message.
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
    if (whole.ok()) {
        check(header.ok(), "a file read whole has a readable header");
        check(header.header == whole.document.header, "header and whole file agree on the header");
    }
    return 0;
}
