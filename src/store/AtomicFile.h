#pragma once
// Files the program keeps are replaced whole: the new content goes to a
// fresh file in the same folder, which is then renamed over the old one, so
// a crash or a full disk leaves either the old file or the new one, never a
// torn one.
#include <cstddef>
#include <string>
#include <string_view>

namespace tc::store {

enum class ReadStatus { Ok, Missing, TooLarge, Failed };

// Reads the whole file into `out` unless it is larger than `maxBytes`.
ReadStatus readWholeFile(const std::string& path, std::size_t maxBytes, std::string& out);

// The file a path names once every symbolic link on its last component is
// followed (a relative link from the link's own folder); `path` itself
// when it is no link. A link to a missing file gives the missing file's
// path, so writing creates it; a loop of links gives `path`.
std::string followLinks(const std::string& path);

// Writes `bytes` to a new file beside `path`, flushes it to disk and renames
// it over `path`. A symbolic link at `path` stays: the file it points to is
// the one replaced. On any failure the old file is left as it was, the new
// one is removed, `error` says why and the result is false.
bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// Moves a damaged file out of the way without overwriting anything:
// `path` + `suffix`, or with ".1", ".2", ... added when that name is taken.
// Through a symbolic link it is the file pointed to that moves; the link
// stays for the next write.
// Returns the new name, or an empty string when the move failed.
std::string moveAside(const std::string& path, const std::string& suffix);

} // namespace tc::store
