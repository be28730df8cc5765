#pragma once
// The name the downloaded installer is saved under: the last segment of
// the address's path. A segment that would write elsewhere or nowhere
// ("", ".", "..", a separator, a control character, an over-long name) or
// over a file the program keeps gets the fixed name instead, so the file
// always lands inside the chosen folder under a harmless name.
#include <string>
#include <string_view>
#include <vector>

namespace tc::windows {

class InstallerFileName {
public:
    static constexpr const char* kFallback = "velmoralobby-setup";
    static constexpr std::size_t kMaxLength = 200;

    // `reserved`: names that must not be overwritten (the program's own
    // executable, the settings and tally files); compared without case.
    static std::string fromAddress(std::string_view address,
                                   const std::vector<std::string>& reserved = {});
    // The last path segment exactly as written (no percent-decoding, so
    // "%2F" stays three harmless characters).
    static std::string lastSegment(std::string_view address);
    static bool isSafe(std::string_view name, const std::vector<std::string>& reserved);
};

} // namespace tc::windows
