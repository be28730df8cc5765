#include "windows/InstallerFileName.h"

#include <cctype>

namespace tc::windows {

namespace {

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

std::string InstallerFileName::lastSegment(std::string_view address) {
    // Query and fragment are not part of the path.
    const std::size_t end = address.find_first_of("?#");
    if (end != std::string_view::npos) address = address.substr(0, end);
    // Past "scheme://host" only the path is left.
    if (const std::size_t scheme = address.find("://"); scheme != std::string_view::npos) {
        address = address.substr(scheme + 3);
        const std::size_t slash = address.find('/');
        if (slash == std::string_view::npos) return {};
        address = address.substr(slash);
    }
    const std::size_t last = address.rfind('/');
    return std::string(last == std::string_view::npos ? address : address.substr(last + 1));
}

bool InstallerFileName::isSafe(std::string_view name, const std::vector<std::string>& reserved) {
    if (name.empty() || name == "." || name == ".." || name.size() > kMaxLength) return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':') return false;
    for (const std::string& r : reserved)
        if (equalNoCase(name, r)) return false;
    return true;
}

std::string InstallerFileName::fromAddress(std::string_view address, const std::vector<std::string>& reserved) {
    std::string name = lastSegment(address);
    return isSafe(name, reserved) ? name : std::string(kFallback);
}

} // namespace tc::windows
