#include "base64/Base64StreamEncoder.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "base64/Base64.h"

namespace plenvik {

Base64StreamEncoder::Base64StreamEncoder(std::string& target) : target_(&target) {}

Base64StreamEncoder::Base64StreamEncoder(Sink sink) : sink_(std::move(sink)), block_(kBlockChars, '\0') {
    if (!sink_) throw std::invalid_argument("Base64StreamEncoder: no sink");
}

void Base64StreamEncoder::write(std::string_view bytes) {
    write(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

void Base64StreamEncoder::write(std::span<const std::uint8_t> bytes) {
    if (finished_) throw std::logic_error("Base64StreamEncoder: write after finish");
    bytesRead_ += bytes.size();
    const std::uint8_t* in = bytes.data();
    std::size_t n = bytes.size();
    if (pendingCount_ > 0) {
        // Complete the group that the previous chunk began.
        const std::size_t take = std::min<std::size_t>(3 - pendingCount_, n);
        std::uint8_t group[3] = {pending_[0], pending_[1], 0};
        std::copy_n(in, take, group + pendingCount_);
        in += take;
        n -= take;
        if (pendingCount_ + take < 3) {
            std::copy_n(group, pendingCount_ + take, pending_);
            pendingCount_ += take;
            return;
        }
        pendingCount_ = 0;
        emitGroups(group, 1);
    }
    emitGroups(in, n / 3);
    pendingCount_ = n % 3;
    std::copy_n(in + n / 3 * 3, pendingCount_, pending_);
}

void Base64StreamEncoder::finish() {
    if (finished_) return;
    finished_ = true;
    char tail[3];
    const char* end = base64EncodeTail(pending_, pendingCount_, tail);
    const auto tailChars = static_cast<std::size_t>(end - tail);
    pendingCount_ = 0;
    if (target_ != nullptr) {
        target_->append(tail, tailChars);
        return;
    }
    if (blockUsed_ + tailChars > kBlockChars) flushBlock();
    std::copy_n(tail, tailChars, block_.data() + blockUsed_);
    blockUsed_ += tailChars;
    flushBlock();
}

void Base64StreamEncoder::emitGroups(const std::uint8_t* in, std::size_t groups) {
    if (groups == 0) return;
    if (target_ != nullptr) {
        // std::string grows its capacity geometrically, so chunk after chunk stays linear.
        const std::size_t used = target_->size();
        target_->resize(used + groups * 4);
        base64EncodeGroups(in, groups, target_->data() + used);
        return;
    }
    while (groups > 0) {
        const std::size_t room = (kBlockChars - blockUsed_) / 4;
        if (room == 0) {
            flushBlock();
            continue;
        }
        const std::size_t n = std::min(room, groups);
        base64EncodeGroups(in, n, block_.data() + blockUsed_);
        blockUsed_ += n * 4;
        in += n * 3;
        groups -= n;
    }
}

void Base64StreamEncoder::flushBlock() {
    if (blockUsed_ == 0) return;
    const std::size_t used = std::exchange(blockUsed_, 0);
    sink_(std::string_view(block_.data(), used));
}

}  // namespace plenvik
