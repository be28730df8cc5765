#include "store/AtomicFileWriter.h"

#include "store/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tc::store {

AtomicFileWriter::~AtomicFileWriter() { discard(); }

void AtomicFileWriter::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

bool AtomicFileWriter::open(std::string& error) {
    discard();
    // Through a link: the link stays, the file it names is replaced.
    target_ = followLinks(path_);
    std::string temp = target_ + ".new-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat st {};
    ::fchmod(fd, ::stat(target_.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
    fd_ = fd;
    temp_ = std::move(temp);
    return true;
}

bool AtomicFileWriter::write(const void* data, std::size_t size, std::string& error) {
    if (fd_ < 0) {
        error = std::strerror(EBADF);
        return false;
    }
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = std::strerror(errno);
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool AtomicFileWriter::commit(std::string& error) {
    if (fd_ < 0) {
        error = std::strerror(EBADF);
        return false;
    }
    if (::fsync(fd_) != 0) {
        error = std::strerror(errno);
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || ::rename(temp_.c_str(), target_.c_str()) != 0) {
        error = std::strerror(errno);
        return false;  // the destructor removes the fresh file
    }
    temp_.clear();
    return true;
}

} // namespace tc::store
