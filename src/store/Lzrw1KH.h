#pragma once
// The LZRW1/KH block codec. A block stands for at most 32768 bytes and is
// coded on its own: a flag byte (0x40 coded, 0x80 copied), then groups of a
// 16-bit control word (high byte first, one bit per item from the top) and
// up to 16 items: a literal byte, a back-reference (offset 1..4095, length
// 3..18) or a run (16..4095 copies of one byte).
#include <array>
#include <cstddef>
#include <cstdint>

namespace tc::store {

class Lzrw1KH {
public:
    static constexpr std::size_t kBlockSize = 32768;
    // A coded block is at most kBlockSize + 1 bytes. The coder may write a
    // few bytes past that before it gives up and copies, and the decoder
    // copies in 8-byte steps, so both need output buffers of kBufferSize.
    static constexpr std::size_t kMaxCodedSize = kBlockSize + 1;
    static constexpr std::size_t kBufferSize = kBlockSize + 16;

    // Codes `n` (<= kBlockSize) bytes into `out` (kBufferSize bytes) and
    // returns the block's length: the coded form, or 0x80 and the bytes
    // unchanged when coding does not make the block shorter.
    std::size_t compress(const std::uint8_t* in, std::size_t n, std::uint8_t* out);

    // Decodes a block of `m` bytes into `out` (kBufferSize bytes) and
    // returns the number of bytes decoded (0..kBlockSize). Refuses, with
    // ELzrw1Exception, a block longer than kMaxCodedSize, a reference before
    // the start of the block, output past kBlockSize, and an item or control
    // word cut off at the end; it never reads or writes out of bounds.
    static std::size_t decompress(const std::uint8_t* in, std::size_t m, std::uint8_t* out);

private:
    std::array<std::uint16_t, 4096> hash_{};
};

} // namespace tc::store
