// lzrw1_decode: the container and block decoder on hostile bytes, and the
// encoder on anything. The first byte picks the operation, the rest is its
// input:
//   0: a whole container, unpacked in memory (bounded at 1 MiB);
//   1: one block, decoded into a buffer of exactly the documented size
//      (the block itself in an allocation of exactly its size), and by a
//      plain item-by-item decoder that must agree on refusal and bytes;
//   2: raw data, packed and unpacked again.
// Checks: only ELzrw1Exception escapes; whatever decodes re-encodes and
// decodes to the same bytes; a block never decodes to more than 32768.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "store/ELzrw1Exception.h"
#include "store/Lzrw1KH.h"
#include "store/Tlzrw1.h"

using tc::store::ELzrw1Exception;
using tc::store::Lzrw1KH;
using tc::store::Tlzrw1;

namespace {

// The block format read one item at a time with every bound checked: the
// fast paths of the real decoder must give exactly this.
bool plainDecode(const std::uint8_t* in, std::size_t m, std::string& out) {
    out.clear();
    if (m > Lzrw1KH::kMaxCodedSize) return false;
    if (m <= 1) return true;
    if (in[0] == 0x80) {
        out.assign(reinterpret_cast<const char*>(in + 1), m - 1);
        return true;
    }
    if (m < 3) return false;
    unsigned bits = in[1] << 8 | in[2];
    int left = 16;
    std::size_t pos = 3;
    while (pos < m) {
        if (left == 0) {
            if (m - pos < 2) return false;
            bits = in[pos] << 8 | in[pos + 1];
            pos += 2;
            left = 16;
            if (pos >= m) return false;
        }
        if (bits & 0x8000) {
            if (m - pos < 2) return false;
            const std::size_t offset = in[pos] * 16u + (in[pos + 1] >> 4);
            if (offset == 0) {
                if (m - pos < 4) return false;
                out.append(in[pos + 1] * 256u + in[pos + 2] + 16u, static_cast<char>(in[pos + 3]));
                pos += 4;
            } else {
                if (offset > out.size()) return false;
                for (unsigned k = 0; k < (in[pos + 1] & 15u) + 3u; ++k) out += out[out.size() - offset];
                pos += 2;
            }
        } else {
            out += static_cast<char>(in[pos++]);
        }
        if (out.size() > Lzrw1KH::kBlockSize) return false;
        bits = (bits << 1) & 0xFFFF;
        --left;
    }
    return true;
}

void roundTrip(const std::string& original) {
    const std::string packed = Tlzrw1::pack(original, "fuzz");
    std::string back;
    try {
        back = Tlzrw1::unpack(packed, original.size(), "fuzz");
    } catch (const ELzrw1Exception& e) {
        FUZZ_CHECK(false, e.what());
    }
    FUZZ_CHECK(back == original, "packed data reads back different");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t op = data[0] % 3;
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    if (op == 0) {
        std::string out;
        try {
            out = Tlzrw1::unpack(input, 1u << 20, "fuzz");
        } catch (const ELzrw1Exception&) {
            return 0;
        }
        roundTrip(out);
    } else if (op == 1) {
        auto block = std::make_unique<std::uint8_t[]>(input.size() + 1);
        std::memcpy(block.get(), input.data(), input.size());
        auto out = std::make_unique<std::uint8_t[]>(Lzrw1KH::kBufferSize);
        std::string plain;
        const bool plainOk = plainDecode(block.get(), input.size(), plain);
        std::size_t n = 0;
        try {
            n = Lzrw1KH::decompress(block.get(), input.size(), out.get());
        } catch (const ELzrw1Exception&) {
            FUZZ_CHECK(!plainOk, "refused a block the plain decoder reads");
            return 0;
        }
        FUZZ_CHECK(plainOk, "read a block the plain decoder refuses");
        FUZZ_CHECK(n <= Lzrw1KH::kBlockSize, std::to_string(n));
        FUZZ_CHECK(std::string(reinterpret_cast<const char*>(out.get()), n) == plain, "differs from the plain decoder");
        Lzrw1KH codec;
        auto coded = std::make_unique<std::uint8_t[]>(Lzrw1KH::kBufferSize);
        const std::size_t m = codec.compress(out.get(), n, coded.get());
        FUZZ_CHECK(m <= n + 1, "a block grew by more than its flag");
        auto again = std::make_unique<std::uint8_t[]>(Lzrw1KH::kBufferSize);
        const std::size_t k = Lzrw1KH::decompress(coded.get(), m, again.get());
        FUZZ_CHECK(k == n && std::memcmp(again.get(), out.get(), n) == 0, "block reads back different");
    } else {
        roundTrip(input);
    }
    return 0;
}
