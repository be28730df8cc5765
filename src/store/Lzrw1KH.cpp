#include "store/Lzrw1KH.h"

#include <bit>
#include <cstring>

#include "store/ELzrw1Exception.h"
#include "net/Text.h"

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
    throw ELzrw1Exception(net::translate("Tlzrw1", "Lzrw1 (decompression LZRW1/KH) : the compressed data is damaged !"));
}

inline std::uint64_t load64(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Which byte of two 8-byte loads differs first, given their difference:
// the lowest in memory, the low end of the word on a little-endian machine.
inline std::size_t firstDifferingByte(std::uint64_t d) {
    const int bits = std::endian::native == std::endian::big ? std::countl_zero(d) : std::countr_zero(d);
    return static_cast<std::size_t>(bits) / 8;
}

// Length of the common prefix of a and b, at most `limit` bytes.
inline std::size_t matchLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit) {
    if (limit == kMaxMatch) {
        // Eight bytes at a time.
        const std::uint64_t d0 = load64(a) ^ load64(b);
        if (d0 != 0) return firstDifferingByte(d0);
        const std::uint64_t d1 = load64(a + 8) ^ load64(b + 8);
        if (d1 != 0) return 8 + firstDifferingByte(d1);
        return a[16] != b[16] ? 16 : a[17] != b[17] ? 17 : 18;
    }
    std::size_t len = 0;
    while (len < limit && a[len] == b[len]) ++len;
    return len;
}

// A group of 16 items takes at most 64 bytes and, without runs, adds at
// most 16 * 18 bytes.
// The fast path also copies literals 16 bytes at a time.
constexpr std::size_t kGroupBytes = 16 * 4 + 16;
constexpr std::size_t kGroupRoom = 16 * kMaxMatch + 16;

// Appends `len` bytes from `offset` back, byte by byte in effect, so an
// overlapping copy repeats recent bytes.
inline void copyBack(std::uint8_t* dst, std::size_t offset, std::size_t len) {
    const std::uint8_t* src = dst - offset;
    if (offset >= 8) {
        // Eight bytes at a time never read a byte not yet written; the copy
        // may run up to 7 bytes past `len`, which the buffer's slack holds
        // and the next item overwrites.
        for (std::size_t k = 0; k < len; k += 8) std::memcpy(dst + k, src + k, 8);
    } else {
        for (std::size_t k = 0; k < len; ++k) dst[k] = src[k];
    }
}

// copyBack with room for 24 bytes at `dst`: no loop on the length.
inline void copyBackRoomy(std::uint8_t* dst, std::size_t offset, std::size_t len) {
    const std::uint8_t* src = dst - offset;
    if (offset >= 8) {
        std::memcpy(dst, src, 8);
        std::memcpy(dst + 8, src + 8, 8);
        std::memcpy(dst + 16, src + 16, 8);
    } else {
        for (std::size_t k = 0; k < len; ++k) dst[k] = src[k];
    }
}

inline unsigned hashOf(unsigned b0, unsigned b1, unsigned b2) {
    // ((b0 * 16) ^ b1) * 16 ^ b2, written so the shifts run side by side.
    const std::uint32_t v = (b0 << 8) ^ (b1 << 4) ^ b2;
    return ((v * 40543u) >> 4) & 0xFFFu;
}

inline unsigned hashAt(const std::uint8_t* in, std::size_t x, std::size_t n) {
    // The last two positions hash with zeros past the end: a match there
    // is bounded by n anyway.
    return hashOf(in[x], x + 1 < n ? in[x + 1] : 0u, x + 2 < n ? in[x + 2] : 0u);
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
        // Away from the end no bound needs checking but the run's.
        const bool nearEnd = n - x < kMaxMatch;
        const std::uint8_t c = in[x];
        std::size_t run = 1;
        if ((!nearEnd || x + 1 < n) && in[x + 1] == c) {
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
            const unsigned h = nearEnd ? hashAt(in, x, n) : hashOf(c, in[x + 1], in[x + 2]);
            const std::size_t p = hash_[h];
            hash_[h] = static_cast<std::uint16_t>(x);
            std::size_t len = 0;
            if (p != kEmpty && x - p <= kMaxOffset)
                len = nearEnd ? matchLength(in + p, in + x, n - x) : matchLength(in + p, in + x, kMaxMatch);
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
    if (m == 3) return 0;  // a control word and no items: nothing
    std::uint32_t bits = 0;
    unsigned left = 0;
    std::size_t pos = 1;
    std::size_t o = 0;
    while (pos < m) {
        if (left == 0) {
            if (m - pos < 2) damaged();
            bits = (static_cast<std::uint32_t>(in[pos]) << 8) | in[pos + 1];
            pos += 2;
            left = 16;
            if (pos >= m) damaged();  // a control word with no item after it
            if (m - pos >= kGroupBytes && kBlockSize - o >= kGroupRoom) {
                // The whole group lies inside the block and its output fits
                // unless a run fills the block: only offsets and runs need
                // checking.
                unsigned i = 0;
                while (i < 16) {
                    if (!(bits & 0x8000u)) {
                        // The literals up to the next copy item, in one
                        // fixed-size copy (both sides have 16 bytes to spare).
                        unsigned k = static_cast<unsigned>(std::countl_zero(static_cast<std::uint16_t>(bits)));
                        if (k > 16 - i) k = 16 - i;
                        std::memcpy(out + o, in + pos, 16);
                        o += k;
                        pos += k;
                        bits <<= k;
                        i += k;
                        continue;
                    }
                    ++i;
                    bits <<= 1;
                    const unsigned b0 = in[pos];
                    const unsigned b1 = in[pos + 1];
                    const std::size_t offset = (b0 << 4) | (b1 >> 4);
                    if (offset == 0) {
                        const std::size_t len = ((b1 << 8) | in[pos + 2]) + kMinRun;
                        if (len > kBlockSize - o) damaged();
                        std::memset(out + o, in[pos + 3], len);
                        o += len;
                        pos += 4;
                        if (kBlockSize - o < kGroupRoom) break;  // the rest one by one
                    } else {
                        const std::size_t len = (b1 & 0x0Fu) + kMinMatch;
                        if (offset > o) damaged();
                        copyBackRoomy(out + o, offset, len);
                        o += len;
                        pos += 2;
                    }
                }
                bits &= 0xFFFFu;
                left = 16 - i;
                continue;
            }
        }
        if (!(bits & 0x8000u)) {
            // A row of literals in one copy: as many as the control word's
            // leading zero bits, up to the end of the block.
            std::size_t k = static_cast<std::size_t>(std::countl_zero(static_cast<std::uint16_t>(bits)));
            if (k > left) k = left;
            if (k > m - pos) k = m - pos;
            if (k > kBlockSize - o) damaged();
            if (m - pos >= 16 && kBlockSize - o >= 16)
                std::memcpy(out + o, in + pos, 16);  // a fixed size copies inline
            else
                std::memcpy(out + o, in + pos, k);
            o += k;
            pos += k;
            bits = (bits << k) & 0xFFFFu;
            left -= static_cast<unsigned>(k);
            continue;
        }
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
            copyBack(out + o, offset, len);
            o += len;
            pos += 2;
        }
        bits = (bits << 1) & 0xFFFFu;
        --left;
    }
    return o;
}

} // namespace tc::store
