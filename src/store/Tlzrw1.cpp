#include "store/Tlzrw1.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>

#include "store/AtomicFileWriter.h"
#include "store/ELzrw1Exception.h"
#include "store/Lzrw1KH.h"
#include "net/Text.h"

namespace tc::store {
namespace {

constexpr char kFast[4] = {'W', 'R', 'Z', 'L'};
constexpr char kGood[4] = {'!', 'H', 'Z', 'L'};
constexpr std::uint64_t kMaxOriginal = 0xFFFFFFFFu;

[[noreturn]] void fail(const std::string& text) { throw ELzrw1Exception(text); }

std::string writeError(const std::string& path) {
    return net::fillText(net::translate("Tlzrw1", "Lzrw1 : Error writing to output file : %1"), {path});
}

std::string tooLarge(const std::string& path) {
    return net::fillText(net::translate("Tlzrw1", "Lzrw1 compression : the input is larger than 4 GiB : %1"), {path});
}

std::string readError(const std::string& path) {
    return net::fillText(net::translate("Tlzrw1", "Lzrw1 : Error reading from input file : %1"), {path});
}

// The two block buffers of one call, and the codec with its hash table.
struct Buffers {
    Buffers() {
        try {
            in = std::make_unique<std::uint8_t[]>(Lzrw1KH::kBufferSize);
            out = std::make_unique<std::uint8_t[]>(Lzrw1KH::kBufferSize);
            codec = std::make_unique<Lzrw1KH>();
        } catch (const std::bad_alloc&) {
            fail(net::translate("Tlzrw1", "Lzrw1 (de)compression : Failed to get memory for I/O buffers !"));
        }
    }
    std::unique_ptr<std::uint8_t[]> in;
    std::unique_ptr<std::uint8_t[]> out;
    std::unique_ptr<Lzrw1KH> codec;
};

class FileSource {
public:
    FileSource(int fd, const std::string& path) : fd_(fd), path_(path) {}
    ~FileSource() { ::close(fd_); }
    void readExact(void* buffer, std::size_t size) {
        auto* p = static_cast<std::uint8_t*>(buffer);
        while (size > 0) {
            const ssize_t n = ::read(fd_, p, size);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) fail(readError(path_));
            p += n;
            size -= static_cast<std::size_t>(n);
        }
    }

private:
    int fd_;
    const std::string& path_;
};

class MemorySource {
public:
    MemorySource(std::string_view bytes, const std::string& name) : bytes_(bytes), name_(name) {}
    void readExact(void* buffer, std::size_t size) {
        if (bytes_.size() - at_ < size) fail(readError(name_));
        std::memcpy(buffer, bytes_.data() + at_, size);
        at_ += size;
    }

private:
    std::string_view bytes_;
    const std::string& name_;
    std::size_t at_ = 0;
};

class FileSink {
public:
    explicit FileSink(const std::string& path) : writer_(path), path_(path) {
        std::string error;
        if (!writer_.open(error)) fail(net::fillText(net::translate("Tlzrw1", "Lzrw1 (de)compression : Failed to open output file : %1"), {path_}));
    }
    void write(const void* data, std::size_t size) {
        std::string error;
        if (!writer_.write(data, size, error)) fail(writeError(path_));
    }
    void commit() {
        std::string error;
        if (!writer_.commit(error)) fail(writeError(path_));
    }

private:
    AtomicFileWriter writer_;
    const std::string& path_;
};

class MemorySink {
public:
    explicit MemorySink(std::string& out) : out_(out) {}
    void write(const void* data, std::size_t size) { out_.append(static_cast<const char*>(data), size); }

private:
    std::string& out_;
};

void putLe(std::uint8_t* p, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint64_t getLe(const std::uint8_t* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// `size` bytes from `src`, in blocks; the header comes first.
template <class Source, class Sink>
std::uint64_t packBlocks(Source& src, std::uint64_t size, Sink& sink) {
    Buffers b;
    std::uint8_t header[8];
    std::memcpy(header, kFast, 4);
    putLe(header + 4, size, 4);
    sink.write(header, sizeof header);
    std::uint64_t written = sizeof header;
    std::uint64_t left = size;
    for (;;) {
        const std::size_t n = left < Lzrw1KH::kBlockSize ? static_cast<std::size_t>(left) : Lzrw1KH::kBlockSize;
        src.readExact(b.in.get(), n);
        left -= n;
        const std::size_t len = b.codec->compress(b.in.get(), n, b.out.get());
        std::uint8_t prefix[2];
        putLe(prefix, len, 2);
        sink.write(prefix, 2);
        sink.write(b.out.get(), len);
        written += 2 + len;
        // A full block is always followed by another, empty if need be.
        if (n < Lzrw1KH::kBlockSize) break;
    }
    return written;
}

template <class Source, class Sink>
std::uint64_t unpackBlocks(Source& src, Sink& sink, std::uint64_t maxBytes, const std::string& name) {
    Buffers b;
    char signature[4];
    src.readExact(signature, 4);
    if (std::memcmp(signature, kGood, 4) == 0)
        fail(net::fillText(net::translate("Tlzrw1", "%1 : Lzrw1 decompression : this file is packed with the LZH codec (\"!HZL\"), which is not supported !"), {name}));
    if (std::memcmp(signature, kFast, 4) != 0) fail(net::fillText(net::translate("Tlzrw1", "%1 : Lzrw1 decompression : this file has no valid header !"), {name}));
    std::uint8_t word[4];
    src.readExact(word, 4);
    const std::uint64_t size = getLe(word, 4);
    if (size > maxBytes) fail(net::fillText(net::translate("Tlzrw1", "%1 : Lzrw1 decompression : the content is larger than this program accepts !"), {name}));
    const std::string mismatch = net::translate("Tlzrw1", "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
    std::uint64_t total = 0;
    std::size_t n = 0;
    do {
        src.readExact(word, 2);
        const std::size_t len = static_cast<std::size_t>(getLe(word, 2));
        if (len > Lzrw1KH::kMaxCodedSize)
            fail(net::translate("Tlzrw1", "Lzrw1 (decompression LZRW1/KH) : the compressed data is damaged !"));
        src.readExact(b.in.get(), len);
        n = Lzrw1KH::decompress(b.in.get(), len, b.out.get());
        // More than the header promised can only end in the mismatch; stop
        // before writing it.
        if (n > size - total) fail(mismatch);
        sink.write(b.out.get(), n);
        total += n;
    } while (n == Lzrw1KH::kBlockSize);
    if (total != size) fail(mismatch);
    return total;
}

int openInput(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) fail(net::fillText(net::translate("Tlzrw1", "Lzrw1 (de)compression : Failed to open input file : %1"), {path}));
    return fd;
}

} // namespace

std::uint64_t Tlzrw1::Compress() {
    if (CompressMode == TCompressMode::Good)
        fail(net::translate("Tlzrw1", "Lzrw1 compression : the LZH codec (\"!HZL\") is not supported, use Fast !"));
    struct stat st {};
    if (::stat(InputFile.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        fail(net::fillText(net::translate("Tlzrw1", "Lzrw1 compression : Failed to obtain the size of : %1"), {InputFile}));
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (size > kMaxOriginal) fail(tooLarge(InputFile));
    FileSource src(openInput(InputFile), InputFile);
    FileSink sink(OutputFile);
    const std::uint64_t written = packBlocks(src, size, sink);
    sink.commit();
    return written;
}

std::uint64_t Tlzrw1::Decompress() {
    FileSource src(openInput(InputFile), InputFile);
    FileSink sink(OutputFile);
    const std::uint64_t written = unpackBlocks(src, sink, kMaxOriginal, InputFile);
    sink.commit();
    return written;
}

std::string Tlzrw1::pack(std::string_view data, const std::string& name) {
    if (data.size() > kMaxOriginal) fail(tooLarge(name));
    std::string out;
    out.reserve(data.size() + data.size() / 64 + 16);
    MemorySource src(data, name);
    MemorySink sink(out);
    packBlocks(src, data.size(), sink);
    return out;
}

std::string Tlzrw1::unpack(std::string_view container, std::size_t maxBytes, const std::string& name) {
    std::string out;
    // Room for the header's size, but not on the header's word alone: a
    // hostile size must not claim memory the blocks never fill.
    if (container.size() >= 8) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(container.data());
        out.reserve(std::min<std::uint64_t>({getLe(p + 4, 4), maxBytes, 4 * container.size() + Lzrw1KH::kBlockSize}));
    }
    MemorySource src(container, name);
    MemorySink sink(out);
    unpackBlocks(src, sink, maxBytes, name);
    return out;
}

} // namespace tc::store
