#pragma once
// writeFileAtomically for output that is produced piece by piece and need
// not fit in memory: the pieces go to a fresh file beside `path` (beside the
// file it links to, when `path` is a symbolic link), and only commit()
// renames it over that file. Destroyed without a commit, the fresh
// file is removed, so a failure leaves no output behind.
#include <cstddef>
#include <string>

namespace tc::store {

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string path) : path_(std::move(path)) {}
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Each returns false with the system's reason in `error`.
    bool open(std::string& error);
    bool write(const void* data, std::size_t size, std::string& error);
    // Flushes to disk and renames over `path`.
    bool commit(std::string& error);

private:
    void discard();

    std::string path_;
    std::string target_;  // path_ with its links followed
    std::string temp_;
    int fd_ = -1;
};

} // namespace tc::store
