#include "store/Lzrw1KH.h"

#include <cstring>

#include "store/ELzrw1Exception.h"

namespace tc::store {
namespace {

constexpr std::uint16_t kEmpty = 0xFFFF;
constexpr std::size_t kMaxOffset = 4095;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 18;
constexpr std::size_t kMinRun = 16;
constexpr std::size_t kMaxRun = 4095;
constexpr std::uint8_t kCoded = 0x40;
constexpr std::uint8_t kCopied = 0x80;

[[noreturn]] void damaged() {
    throw ELzrw1Exception("Lzrw1 (decompression LZRW1/KH) : the compressed data is damaged !");
}

inline unsigned hashAt(const std::uint8_t* in, std::size_t x, std::size_t n) {
    // The last two positions hash with zeros past the end: a match there
    // is bounded by n anyway.
    const unsigned b0 = in[x];
    const unsigned b1 = x + 1 < n ? in[x + 1] : 0u;
    const unsigned b2 = x + 2 < n ? in[x + 2] : 0u;
    const std::uint32_t v = (((b0 << 4) ^ b1) << 4) ^ b2;
    return ((v * 40543u) >> 4) & 0xFFFu;
}

} // namespace

std::size_t Lzrw1KH::compress(const std::uint8_t* in, std::size_t n, std::uint8_t* out) {
    hash_.fill(kEmpty);
    out[0] = kCoded;
    std::size_t control = 1;  // where the current control word goes
    std::size_t y = 3;
    std::size_t x = 0;
    unsigned items = 0;
    unsigned bits = 0;
    // Each pass writes at most a control word and a 4-byte run, so y stays
    // below n + 7 <= kBufferSize.
    while (x < n && y <= n) {
        if (items == 16) {
            out[control] = static_cast<std::uint8_t>(bits >> 8);
            out[control + 1] = static_cast<std::uint8_t>(bits);
            control = y;
            y += 2;
            items = 0;
            bits = 0;
        }
        const std::uint8_t c = in[x];
        std::size_t run = 1;
        if (x + 1 < n && in[x + 1] == c) {
            const std::size_t limit = n - x < kMaxRun ? n - x : kMaxRun;
            run = 2;
            while (run < limit && in[x + run] == c) ++run;
        }
        if (run >= kMinRun) {
            const std::size_t stored = run - kMinRun;
            out[y] = 0;
            out[y + 1] = static_cast<std::uint8_t>(stored >> 8);
            out[y + 2] = static_cast<std::uint8_t>(stored);
            out[y + 3] = c;
            y += 4;
            x += run;
            bits = (bits << 1) | 1u;
        } else {
            const unsigned h = hashAt(in, x, n);
            const std::size_t p = hash_[h];
            hash_[h] = static_cast<std::uint16_t>(x);
            std::size_t len = 0;
            if (p != kEmpty && x - p <= kMaxOffset) {
                const std::size_t limit = n - x < kMaxMatch ? n - x : kMaxMatch;
                while (len < limit && in[p + len] == in[x + len]) ++len;
            }
            if (len >= kMinMatch) {
                const std::size_t item = (x - p) * 16 + (len - kMinMatch);
                out[y] = static_cast<std::uint8_t>(item >> 8);
                out[y + 1] = static_cast<std::uint8_t>(item);
                y += 2;
                x += len;
                bits = (bits << 1) | 1u;
            } else {
                out[y++] = c;
                ++x;
                bits <<= 1;
            }
        }
        ++items;
    }
    bits <<= (16 - items);
    out[control] = static_cast<std::uint8_t>(bits >> 8);
    out[control + 1] = static_cast<std::uint8_t>(bits);
    if (y > n) {
        out[0] = kCopied;
        if (n > 0) std::memcpy(out + 1, in, n);
        return n + 1;
    }
    return y;
}

std::size_t Lzrw1KH::decompress(const std::uint8_t* in, std::size_t m, std::uint8_t* out) {
    if (m > kMaxCodedSize) damaged();
    if (m <= 1) return 0;
    if (in[0] == kCopied) {
        std::memcpy(out, in + 1, m - 1);
        return m - 1;
    }
    if (m < 3) damaged();
    unsigned bits = (static_cast<unsigned>(in[1]) << 8) | in[2];
    int left = 16;
    std::size_t pos = 3;
    std::size_t o = 0;
    while (pos < m) {
        if (left == 0) {
            if (m - pos < 2) damaged();
            bits = (static_cast<unsigned>(in[pos]) << 8) | in[pos + 1];
            pos += 2;
            left = 16;
            if (pos >= m) damaged();  // a control word with no item after it
        }
        if (bits & 0x8000u) {
            if (m - pos < 2) damaged();
            const unsigned b0 = in[pos];
            const unsigned b1 = in[pos + 1];
            const std::size_t offset = (b0 << 4) | (b1 >> 4);
            if (offset == 0) {
                if (m - pos < 4) damaged();
                const std::size_t len = ((b1 << 8) | in[pos + 2]) + kMinRun;
                if (len > kBlockSize - o) damaged();
                std::memset(out + o, in[pos + 3], len);
                o += len;
                pos += 4;
            } else {
                const std::size_t len = (b1 & 0x0Fu) + kMinMatch;
                if (offset > o || len > kBlockSize - o) damaged();
                std::uint8_t* dst = out + o;
                const std::uint8_t* src = dst - offset;
                if (offset >= kMaxMatch) {
                    // No overlap: a fixed-size copy; o + 18 stays inside the
                    // buffer, and only the first `len` bytes count.
                    std::memcpy(dst, src, kMaxMatch);
                } else {
                    for (std::size_t k = 0; k < len; ++k) dst[k] = src[k];
                }
                o += len;
                pos += 2;
            }
        } else {
            if (o >= kBlockSize) damaged();
            out[o++] = in[pos++];
        }
        bits <<= 1;
        --left;
    }
    return o;
}

} // namespace tc::store
