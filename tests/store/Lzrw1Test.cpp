#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "StoreTestSupport.h"
#include "store/ELzrw1Exception.h"
#include "store/Lzrw1KH.h"
#include "store/Tlzrw1.h"

using namespace tc::store;
using tc::storetest::slurp;
using tc::storetest::spill;
using tc::storetest::TempDir;

namespace {

std::string bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s += static_cast<char>(b);
    return s;
}

std::string le32(std::uint32_t v) { return bytes({int(v & 0xFF), int(v >> 8 & 0xFF), int(v >> 16 & 0xFF), int(v >> 24)}); }
std::string le16(std::size_t v) { return bytes({int(v & 0xFF), int(v >> 8 & 0xFF)}); }
std::string container(std::uint32_t size, const std::string& block) { return "WRZL" + le32(size) + le16(block.size()) + block; }

// A second decoder, written from the container's description alone and
// kept deliberately plain, so that the program's own decoder and encoder
// are checked against an independent reading of the format.
std::string referenceUnpack(const std::string& f) {
    auto at = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(f.at(i))); };
    if (f.substr(0, 4) != "WRZL") throw std::runtime_error("signature");
    const std::size_t size = at(4) | at(5) << 8 | at(6) << 16 | at(7) << 24;
    std::string out;
    std::size_t pos = 8;
    std::size_t last = 0;
    do {
        const std::size_t len = at(pos) | at(pos + 1) << 8;
        pos += 2;
        const std::string block = f.substr(pos, len);
        if (block.size() != len) throw std::runtime_error("short block");
        pos += len;
        std::string b;
        auto bt = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(block.at(i))); };
        if (len > 1 && bt(0) == 0x80) {
            b = block.substr(1);
        } else if (len > 1) {
            unsigned control = bt(1) << 8 | bt(2);
            int bits = 16;
            std::size_t i = 3;
            while (i < len) {
                if (bits == 0) {
                    control = bt(i) << 8 | bt(i + 1);
                    i += 2;
                    bits = 16;
                }
                if (control & 0x8000) {
                    const unsigned offset = bt(i) * 16 + (bt(i + 1) >> 4);
                    if (offset == 0) {
                        b.append(bt(i + 1) * 256 + bt(i + 2) + 16, block.at(i + 3));
                        i += 4;
                    } else {
                        const unsigned n = (bt(i + 1) & 0x0F) + 3;
                        if (offset > b.size()) throw std::runtime_error("before start");
                        for (unsigned k = 0; k < n; ++k) b += b[b.size() - offset];
                        i += 2;
                    }
                } else {
                    b += block.at(i++);
                }
                control = (control << 1) & 0xFFFF;
                --bits;
            }
        }
        out += b;
        last = b.size();
    } while (last == 32768);
    if (out.size() != size) throw std::runtime_error("size");
    return out;
}

// Text, a long run, short runs, binary counting, noise.
std::string mixed(std::size_t n, unsigned seed) {
    std::string s;
    std::uint32_t x = seed;
    const std::string words[] = {"tile ", "dice ", "Marks ", "shut ", "the ", "box ", "\r\n", "Rudi "};
    while (s.size() < n) {
        x = x * 1103515245u + 12345u;
        switch ((x >> 16) % 5) {
            case 0: s += words[(x >> 8) % 8]; break;
            case 1: s.append((x >> 4) % 40, static_cast<char>(x >> 24)); break;
            case 2: s += static_cast<char>(x >> 13); break;
            case 3: for (int i = 0; i < 12; ++i) s += static_cast<char>(i * 7 + (x >> 20)); break;
            default: s.append(s.substr(s.size() / 2, (x >> 3) % 30)); break;
        }
    }
    s.resize(n);
    return s;
}

std::string unpackError(const std::string& file) {
    try {
        Tlzrw1::unpack(file, 1u << 30, "in.tld");
    } catch (const ELzrw1Exception& e) {
        return e.what();
    }
    return "(accepted)";
}

const std::string kDamaged = "Lzrw1 (decompression LZRW1/KH) : the compressed data is damaged !";
const std::string kMismatch = "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";

} // namespace

// Files built byte by byte from the layout read back with both decoders.
TEST(Lzrw1Format, HandBuiltFilesDecode) {
    const std::pair<std::string, std::string> cases[] = {
        {bytes({'W', 'R', 'Z', 'L', 0, 0, 0, 0, 1, 0, 0x80}), ""},
        // literals a b c, back-reference offset 3 length 6, literal X
        {container(10, bytes({0x40, 0x10, 0x00, 'a', 'b', 'c', 0x00, 0x33, 'X'})), "abcabcabcX"},
        // overlapping back-reference: offset 1 repeats the last byte
        {container(5, bytes({0x40, 0x40, 0x00, 'a', 0x00, 0x11})), "aaaaa"},
        // a run of 20 'z' (stored 4), then a literal
        {container(21, bytes({0x40, 0x80, 0x00, 0x00, 0x00, 0x04, 'z', '!'})), std::string(20, 'z') + "!"},
        // the largest run the form holds: 15 * 256 + 255 + 16
        {container(4111, bytes({0x40, 0x80, 0x00, 0x00, 0x0F, 0xFF, 'r'})), std::string(4111, 'r')},
        // a copied block
        {container(2, bytes({0x80, 'h', 'i'})), "hi"},
        // seventeen literals: a second control word after sixteen items
        {container(17, bytes({0x40, 0, 0, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N',
                              'O', 'P', 0, 0, 'Q'})),
         "ABCDEFGHIJKLMNOPQ"},
    };
    for (const auto& [file, original] : cases) {
        EXPECT_EQ(Tlzrw1::unpack(file, 1u << 20, "in"), original);
        EXPECT_EQ(referenceUnpack(file), original);
    }
    // Exactly one full block: the file ends with the empty block 0x80.
    const std::string full = container(32768, "\x80" + std::string(32768, 'k')) + le16(1) + "\x80";
    EXPECT_EQ(Tlzrw1::unpack(full, 1u << 20, "in"), std::string(32768, 'k'));
}

TEST(Lzrw1Format, EncoderOutputForKnownInputs) {
    EXPECT_EQ(Tlzrw1::pack("", "x"), bytes({'W', 'R', 'Z', 'L', 0, 0, 0, 0, 1, 0, 0x80}));
    // Fifteen equal bytes are not a run: a literal, then offset 1 length 14.
    EXPECT_EQ(Tlzrw1::pack(std::string(15, 'q'), "x"), container(15, bytes({0x40, 0x40, 0x00, 'q', 0x00, 0x1B})));
    // A run is one 4-byte item per 4095 bytes.
    EXPECT_EQ(Tlzrw1::pack(std::string(8190, 'x'), "x"),
              container(8190, bytes({0x40, 0xC0, 0x00, 0x00, 0x0F, 0xEF, 'x', 0x00, 0x0F, 0xEF, 'x'})));
    // Exactly 32768 bytes: two blocks, the second the single byte 0x80.
    const std::string packed = Tlzrw1::pack(std::string(32768, 'a'), "x");
    EXPECT_EQ(packed.substr(packed.size() - 3), bytes({1, 0, 0x80}));
    // Noise is stored as a copied block of n + 1 bytes.
    std::string noise;
    std::uint32_t x = 99;
    for (int i = 0; i < 1000; ++i) noise += static_cast<char>((x = x * 1664525u + 1013904223u) >> 24);
    EXPECT_EQ(Tlzrw1::pack(noise, "x"), container(1000, "\x80" + noise));
}

TEST(Lzrw1Format, EncoderBytesForMatchesAndRunsAtTheirShortest) {
    // Eighteen letters, the same eighteen again (one reference of the
    // longest length, 18 back), "xyz", then "abc": a match of exactly the
    // shortest length, 21 back, which must be coded as a reference.
    const std::string letters = "abcdefghijklmnopqr";
    const std::string text = letters + letters + "xyz" + "abc";
    const std::string block = bytes({0x40, 0x00, 0x00}) + "abcdefghijklmnop" + bytes({0x22, 0x00}) + "qr" +
                              bytes({0x01, 0x2F}) + "xyz" + bytes({0x01, 0x50});
    EXPECT_EQ(Tlzrw1::pack(text, "x"), container(42, block));
    EXPECT_EQ(referenceUnpack(container(42, block)), text);
    // Sixteen equal bytes are the shortest run.
    const std::string run = container(16, bytes({0x40, 0x80, 0x00, 0x00, 0x00, 0x00, 'q'}));
    EXPECT_EQ(Tlzrw1::pack(std::string(16, 'q'), "x"), run);
    EXPECT_EQ(Tlzrw1::unpack(run, 16, "x"), std::string(16, 'q'));
}

TEST(Lzrw1Format, AMatchAtTheEndOfABlockStopsAtTheEnd) {
    // The second block is coded in the buffer that held the first, whose
    // bytes lie just past its end: "abc" at the end matches "abc" at its
    // start, and what follows there matches what the first block left
    // behind, but a reference must not reach past the block.
    std::string first;
    for (int i = 0; i < 32768; ++i) first += static_cast<char>('0' + i % 10);
    const std::string second = "abc" + first.substr(54, 8) + std::string(40, 'Z') + "abc";
    ASSERT_EQ(second.size(), 54u);
    const std::string packed = Tlzrw1::pack(first + second, "x");
    EXPECT_EQ(Tlzrw1::unpack(packed, 1 << 20, "x"), first + second);
    EXPECT_EQ(packed.substr(packed.size() - 2), bytes({0x03, 0x30}));  // offset 51, length 3
}

TEST(Lzrw1Format, EverythingPackedReadsBackWithBothDecoders) {
    for (std::size_t n : {1u, 2u, 3u, 17u, 4096u, 32767u, 32768u, 32769u, 65536u, 100000u}) {
        const std::string original = mixed(n, static_cast<unsigned>(n));
        const std::string packed = Tlzrw1::pack(original, "x");
        EXPECT_EQ(Tlzrw1::unpack(packed, n, "x"), original) << n;
        EXPECT_EQ(referenceUnpack(packed), original) << n;
    }
    // Text shrinks.
    const std::string text = mixed(50000, 3);
    EXPECT_LT(Tlzrw1::pack(text, "x").size(), text.size() * 3 / 4);
}

TEST(Lzrw1Format, HostileBlocksAreRefused) {
    // a back-reference before the start of the block
    EXPECT_EQ(unpackError(container(3, bytes({0x40, 0x40, 0x00, 'a', 0x00, 0x21}))), kDamaged);
    // runs adding up to more than 32768 bytes
    std::string runs = bytes({0x40, 0xFF, 0x80});
    for (int i = 0; i < 9; ++i) runs += bytes({0x00, 0x0F, 0xFF, 'r'});
    EXPECT_EQ(unpackError(container(32768, runs)), kDamaged);
    // a literal after a full block's worth of output
    std::string full = bytes({0x40, 0xFF, 0x00});
    for (int i = 0; i < 8; ++i) full += bytes({0x00, 0x0F, 0xF0, 'r'});  // 8 x 4096
    EXPECT_EQ(unpackError(container(32768, full + "x")), kDamaged);
    // items cut off at the end of the block: a run, a back-reference
    EXPECT_EQ(unpackError(container(20, bytes({0x40, 0x80, 0x00, 0x00, 0x00, 0x04}))), kDamaged);
    EXPECT_EQ(unpackError(container(20, bytes({0x40, 0x80, 0x00, 0x05}))), kDamaged);
    // a control word cut off, and one with nothing after it
    const std::string sixteen = bytes({0x40, 0, 0}) + "ABCDEFGHIJKLMNOP";
    EXPECT_EQ(unpackError(container(17, sixteen + bytes({0}))), kDamaged);
    EXPECT_EQ(unpackError(container(17, sixteen + bytes({0, 0}))), kDamaged);
    // a coded block too short for its first control word
    EXPECT_EQ(unpackError(container(1, bytes({0x40, 'a'}))), kDamaged);
    // a block longer than 32769 bytes is refused before it is read
    EXPECT_EQ(unpackError("WRZL" + le32(40000) + le16(32770) + "\x80"), kDamaged);
    EXPECT_EQ(unpackError(container(32769, "\x80" + std::string(32769, 'c'))), kDamaged);
    // the block decoder alone, on a buffer of the documented size
    std::vector<std::uint8_t> out(Lzrw1KH::kBufferSize);
    const std::uint8_t ref[] = {0x40, 0x40, 0x00, 'a', 0x00, 0x21};
    EXPECT_THROW(Lzrw1KH::decompress(ref, sizeof ref, out.data()), ELzrw1Exception);
}

TEST(Lzrw1Format, ContainerErrorsUseTheirTexts) {
    EXPECT_EQ(unpackError("XXXXabcd"), "in.tld : Lzrw1 decompression : this file has no valid header !");
    EXPECT_EQ(unpackError("!HZL" + le32(3) + "abc"),
              "in.tld : Lzrw1 decompression : this file is packed with the LZH codec (\"!HZL\"), which is not "
              "supported !");
    EXPECT_EQ(unpackError("WRZ"), "Lzrw1 : Error reading from input file : in.tld");
    const std::string good = Tlzrw1::pack(mixed(40000, 5), "x");
    EXPECT_EQ(unpackError(good.substr(0, good.size() - 1)), "Lzrw1 : Error reading from input file : in.tld");
    // sizes: the header promises more, or less, than the blocks hold
    EXPECT_EQ(unpackError(container(3, bytes({0x80, 'h', 'i'}))), kMismatch);
    EXPECT_EQ(unpackError(container(1, bytes({0x80, 'h', 'i'}))), kMismatch);
    // an in-memory unpack bounded below the header's size
    EXPECT_THROW(Tlzrw1::unpack(container(2, bytes({0x80, 'h', 'i'})), 1, "in"), ELzrw1Exception);
}

TEST(Lzrw1Files, PackAndUnpackFileToFile) {
    TempDir dir;
    const std::string original = mixed(70000, 11);
    spill(dir.file("in"), original);
    Tlzrw1 doit;
    doit.InputFile = dir.file("in");
    doit.OutputFile = dir.file("packed");
    const std::uint64_t written = doit.Compress();
    EXPECT_EQ(written, slurp(dir.file("packed")).size());
    EXPECT_EQ(slurp(dir.file("packed")), Tlzrw1::pack(original, "x"));
    doit.InputFile = dir.file("packed");
    doit.OutputFile = dir.file("out");
    EXPECT_EQ(doit.Decompress(), original.size());
    EXPECT_EQ(slurp(dir.file("out")), original);
    EXPECT_EQ(dir.entries(), 3u);  // no scratch file left
}

TEST(Lzrw1Files, FailuresLeaveNoOutputAndKeepAnOldOne) {
    TempDir dir;
    auto error = [](Tlzrw1& d, bool pack) {
        try {
            pack ? d.Compress() : d.Decompress();
        } catch (const ELzrw1Exception& e) {
            return std::string(e.what());
        }
        return std::string("(no error)");
    };
    Tlzrw1 doit;
    doit.InputFile = dir.file("missing");
    doit.OutputFile = dir.file("out");
    EXPECT_EQ(error(doit, true), "Lzrw1 compression : Failed to obtain the size of : " + dir.file("missing"));
    EXPECT_EQ(error(doit, false), "Lzrw1 (de)compression : Failed to open input file : " + dir.file("missing"));
    // A folder has no size to pack.
    doit.InputFile = dir.path;
    EXPECT_EQ(error(doit, true), "Lzrw1 compression : Failed to obtain the size of : " + dir.path);
    EXPECT_EQ(dir.entries(), 0u);

    spill(dir.file("bad"), "XXXXnot a container");
    doit.InputFile = dir.file("bad");
    EXPECT_EQ(error(doit, false), dir.file("bad") + " : Lzrw1 decompression : this file has no valid header !");
    const std::string packed = Tlzrw1::pack(mixed(50000, 2), "x");
    spill(dir.file("cut"), packed.substr(0, packed.size() - 10));
    doit.InputFile = dir.file("cut");
    EXPECT_EQ(error(doit, false), "Lzrw1 : Error reading from input file : " + dir.file("cut"));
    EXPECT_EQ(dir.entries(), 2u);  // neither "out" nor a scratch file
    // Cut inside the last block of all, its single byte: still a short read.
    const std::string whole = Tlzrw1::pack(std::string(32768, 'k'), "x");
    spill(dir.file("cut"), whole.substr(0, whole.size() - 1));
    EXPECT_EQ(error(doit, false), "Lzrw1 : Error reading from input file : " + dir.file("cut"));
    EXPECT_EQ(dir.entries(), 2u);

    spill(dir.file("out"), "earlier");
    EXPECT_NE(error(doit, false), "(no error)");
    EXPECT_EQ(slurp(dir.file("out")), "earlier");

    doit.InputFile = dir.file("bad");
    doit.OutputFile = dir.file("no-such-folder/out");
    EXPECT_EQ(error(doit, true), "Lzrw1 (de)compression : Failed to open output file : " + dir.file("no-such-folder/out"));
    doit.CompressMode = TCompressMode::Good;
    EXPECT_NE(error(doit, true).find("!HZL"), std::string::npos);
}
