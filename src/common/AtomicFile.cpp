#include "common/AtomicFile.h"

#include <chrono>
#include <system_error>
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
    unflushed_ += bytes.size();
    if (unflushed_ >= kFlushBehindStep && !flushBehind()) return fail(Stage::Flush);
    return true;
}

bool AtomicFile::flushBehind() {
    if (flushing_.valid()) {
        if (flushing_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return true;
        if (!flushing_.get()) return false;
    }
    unflushed_ = 0;
    try {
        flushing_ = std::async(std::launch::async, [file = file_.get()] { return file->flush(); });
    } catch (const std::system_error&) {
        // No thread to spare: commit flushes it all.
    }
    return true;
}

bool AtomicFile::finishFlushBehind() {
    unflushed_ = 0;
    return !flushing_.valid() || flushing_.get();
}

bool AtomicFile::write(std::string_view bytes) {
    return write(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

bool AtomicFile::commit() {
    if (!file_) return fail(failedAt_ == Stage::None ? Stage::Create : failedAt_);
    if (!finishFlushBehind() || !file_->flush()) return fail(Stage::Flush);
    const bool closed = file_->close();
    file_.reset();
    if (!closed) return fail(Stage::Close);
    const bool renamed = mode_ == Mode::Replace ? files_.replaceFile(temporary_, target_) : files_.renameNoReplace(temporary_, target_);
    if (!renamed) return fail(Stage::Rename);
    created_ = false;  // the file is the target now
    return true;
}

void AtomicFile::discard() {
    finishFlushBehind();  // the handle stays open until its flush has returned
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
