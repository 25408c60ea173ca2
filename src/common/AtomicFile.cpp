#include "common/AtomicFile.h"

#include <utility>

namespace plenvik {
namespace {

// Leftovers of earlier runs or other programs' files may hold the first names; beyond this many the
// folder is not one to write into.
constexpr int kNameAttempts = 100;

std::string temporaryName(const std::string& target, int attempt) {
    return target + ".~tmp" + (attempt == 0 ? std::string() : std::to_string(attempt));
}

}  // namespace

AtomicFile::AtomicFile(FileSystem& files, std::string target, Mode mode) : files_(files), target_(std::move(target)), mode_(mode) {}

AtomicFile::~AtomicFile() { discard(); }

bool AtomicFile::create(unsigned long* error) {
    discard();
    failedAt_ = Stage::None;
    unsigned long code = 0;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporary_ = temporaryName(target_, attempt);
        file_ = files_.open({temporary_, kGenericWrite, kShareNone, kCreateNew, kAttrNormal}, &code);
        if (file_) {
            flushBehind_.emplace(*file_);
            created_ = true;
            return true;
        }
        if (code != kErrorFileExists && !files_.exists(temporary_)) break;
    }
    if (error) *error = code;
    return fail(Stage::Create);
}

bool AtomicFile::write(std::span<const std::uint8_t> bytes) {
    if (!file_) return fail(Stage::Write);
    const auto written = file_->write(bytes.data(), bytes.size());
    if (!written || *written != bytes.size()) return fail(Stage::Write);
    if (!flushBehind_->wrote(bytes.size())) return fail(Stage::Flush);
    return true;
}

bool AtomicFile::write(std::string_view bytes) {
    return write(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

bool AtomicFile::commit() {
    if (!file_) return fail(failedAt_ == Stage::None ? Stage::Create : failedAt_);
    if (!flushBehind_->finish() || !file_->flush()) return fail(Stage::Flush);
    flushBehind_.reset();
    const bool closed = file_->close();
    file_.reset();
    if (!closed) return fail(Stage::Close);
    const bool renamed = mode_ == Mode::Replace ? files_.replaceFile(temporary_, target_) : files_.renameNoReplace(temporary_, target_);
    if (!renamed) return fail(Stage::Rename);
    created_ = false;  // the file is the target now
    return true;
}

void AtomicFile::discard() {
    flushBehind_.reset();  // waits for a flush that runs: the handle stays open until it returns
    if (file_) file_->close();
    file_.reset();
    if (created_) files_.deleteFile(temporary_, true);
    created_ = false;
}

bool AtomicFile::fail(Stage stage) {
    failedAt_ = stage;
    discard();
    return false;
}

bool writeFileAtomically(FileSystem& files, const std::string& target, std::span<const std::uint8_t> bytes) {
    AtomicFile file(files, target);
    return file.create() && file.write(bytes) && file.commit();
}

bool writeFileAtomically(FileSystem& files, const std::string& target, std::string_view bytes) {
    AtomicFile file(files, target);
    return file.create() && file.write(bytes) && file.commit();
}

}  // namespace plenvik
