#pragma once
// Reads a fuzz input as a stream of small decisions: bytes, bounded
// numbers and byte runs. Past the end every read yields zero or nothing,
// so a harness never has to check the length itself.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tc::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : data_(reinterpret_cast<const char*>(data), size) {}

    bool empty() const { return pos_ >= data_.size(); }
    std::size_t left() const { return data_.size() - pos_; }

    std::uint8_t byte() { return empty() ? 0 : static_cast<std::uint8_t>(data_[pos_++]); }

    std::uint32_t u32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | byte();
        return v;
    }

    // Up to `count` bytes; fewer at the end of the input.
    std::string_view take(std::size_t count) {
        if (count > left()) count = left();
        const std::string_view out = data_.substr(pos_, count);
        pos_ += count;
        return out;
    }

    // A length byte, then that many bytes.
    std::string_view chunk() { return take(byte()); }

    std::string_view rest() { return take(left()); }

    // Like chunk(), except that a length byte of 0xF0 or more asks for a
    // run of one byte, long enough to reach every cap of the program: about
    // 2^(6 + length - 0xF0) bytes (64 B .. 1 MiB), give or take 128 set by
    // the next byte, then the byte to repeat.
    std::string chunkOrRun() {
        const std::uint8_t length = byte();
        if (length < 0xF0) return std::string(take(length));
        const int shift = 6 + std::min(length - 0xF0, 14);
        const long size = (1L << shift) + byte() - 128;
        const char fill = static_cast<char>(byte());
        return std::string(static_cast<std::size_t>(size < 1 ? 1 : size), fill);
    }

private:
    std::string_view data_;
    std::size_t pos_ = 0;
};

} // namespace tc::fuzz
