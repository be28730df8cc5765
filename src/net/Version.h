#pragma once
// The program's version. The first part is exchanged at login and must
// match between client and server; the about window and --version show
// it with the build suffix.
namespace tc::net {

inline constexpr const char* kProtocolVersion = "1.0.3";
inline constexpr const char* kBuildSuffix = ".5";
inline constexpr const char* kFullVersion = "1.0.3.5";

} // namespace tc::net
