#pragma once
// The compressed container: "WRZL", the original size (32-bit little
// endian), then blocks of a 16-bit little-endian length and an LZRW1/KH
// block (Lzrw1KH.h). Every block but the last stands for 32768 bytes; when
// the size is a whole multiple of 32768 (0 too) a last block of the single
// byte 0x80 ends the file. "!HZL" marks the LZH codec, which this program
// neither writes nor reads.
//
// Memory stays constant for the file-to-file operations (two block buffers
// and the hash table), and a failed call leaves no output file: the output
// is written to a fresh file that replaces `OutputFile` only on success.
// Every failure is an ELzrw1Exception with the text the player sees.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tc::store {

enum class TCompressMode { Good = 0, Fast = 1, Auto = 2 };

class Tlzrw1 {
public:
    std::string InputFile;
    std::string OutputFile;
    TCompressMode CompressMode = TCompressMode::Fast;

    // Packs InputFile into OutputFile; returns the bytes written. Only the
    // Fast codec is built: Good is refused, Auto picks Fast.
    std::uint64_t Compress();
    // Unpacks the container InputFile into OutputFile; returns the bytes
    // written. Refuses "!HZL", a bad header, damaged or cut-off blocks and
    // a size that does not match the header.
    std::uint64_t Decompress();

    // The same in memory, for data that is small anyway (the tally).
    // `name` stands for the input file in error texts. unpack refuses a
    // container whose content would exceed `maxBytes`.
    static std::string pack(std::string_view data, const std::string& name);
    static std::string unpack(std::string_view container, std::size_t maxBytes, const std::string& name);
};

} // namespace tc::store
