#include "store/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "store/AtomicFileWriter.h"

namespace tc::store {

ReadStatus readWholeFile(const std::string& path, std::size_t maxBytes, std::string& out) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadStatus::Failed;
    }
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        ::close(fd);
        return ReadStatus::TooLarge;
    }
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            out.clear();
            return ReadStatus::Failed;
        }
        if (n == 0) break;
        // The file may grow while we read it; the bound holds regardless.
        if (out.size() + static_cast<std::size_t>(n) > maxBytes) {
            ::close(fd);
            out.clear();
            return ReadStatus::TooLarge;
        }
        out.append(buffer.data(), static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ReadStatus::Ok;
}

std::string followLinks(const std::string& path) {
    std::string current = path;
    // The kernel's own bound on links in a row.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::vector<char> target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size()) return path;
        std::string next(target.data(), static_cast<std::size_t>(n));
        if (next.empty()) return path;
        if (next.front() != '/') {
            const auto slash = current.rfind('/');
            if (slash != std::string::npos) next = current.substr(0, slash + 1) + next;
        }
        current = std::move(next);
    }
    return path;
}

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    AtomicFileWriter writer(path);
    return writer.open(error) && writer.write(bytes.data(), bytes.size(), error) && writer.commit(error);
}

std::string moveAside(const std::string& linkOrPath, const std::string& suffix) {
    const std::string path = followLinks(linkOrPath);
    for (int n = 0; n < 1000; ++n) {
        const std::string target = path + suffix + (n == 0 ? std::string() : "." + std::to_string(n));
        // link() refuses an existing name, so an earlier copy is never replaced.
        if (::link(path.c_str(), target.c_str()) == 0) {
            ::unlink(path.c_str());
            return target;
        }
        if (errno == EEXIST) continue;
        // A file system without hard links: rename, after making sure the
        // name is free (nobody else writes in this folder meanwhile).
        if ((errno == EPERM || errno == ENOTSUP || errno == ENOSYS) &&
            ::access(target.c_str(), F_OK) != 0 && errno == ENOENT) {
            return ::rename(path.c_str(), target.c_str()) == 0 ? target : std::string();
        }
        return {};
    }
    return {};
}

} // namespace tc::store
