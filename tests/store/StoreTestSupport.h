#pragma once
// A private folder per test, and whole-file reads.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tc::storetest {

struct TempDir {
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tc-store-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string file(const char* name) const { return (std::filesystem::path(path) / name).string(); }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(path), std::filesystem::directory_iterator()));
    }
    std::string path;
};

inline std::string slurp(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void spill(const std::string& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

} // namespace tc::storetest
