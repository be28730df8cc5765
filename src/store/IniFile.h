#pragma once
// The settings file: an INI profile whose section and key names match
// without regard to case. Only the lines a write touches change; every other
// byte (other sections, comments, blank lines, unknown keys, the order of
// lines, each line's own line end) is kept as it was read.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tc::store {

class IniFile {
public:
    IniFile() = default;
    // Takes any bytes: text or not, with or without a final line end.
    explicit IniFile(std::string_view bytes);

    // The value of the first matching key in the first matching section,
    // spaces and tabs around it removed, as UTF-8 (bytes that are not
    // valid UTF-8 are read as Windows-1252). Empty when missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    // A decimal integer with an optional sign; anything else, or a number
    // outside int's range, gives `fallback`.
    int readInteger(std::string_view section, std::string_view key, int fallback) const;

    // Replaces the value of the first matching key, keeping that line's
    // key spelling and line end; else adds the key at the end of the first
    // matching section; else adds the section at the end of the file. CR
    // and LF in `valueUtf8` become spaces so the value stays on one line.
    // The value is stored in Windows-1252, like the other programs' values
    // in the file; text that Windows-1252 cannot hold, or whose bytes would
    // read back as other UTF-8 text, is stored as UTF-8 instead.
    void writeString(std::string_view section, std::string_view key, std::string_view valueUtf8);

    // The whole file as it would be written.
    std::string bytes() const;
    // The line end new lines get: the file's first one, CR LF for a file
    // that has none.
    const std::string& lineEnd() const { return eol_; }

private:
    struct Line {
        std::string text;  // without its line end
        std::string end;   // "\r\n", "\n", "\r" or "" for a last line without one
    };
    // Index of the section header line, or npos.
    std::size_t findSection(std::string_view section) const;
    // Index of the key's line within the section that starts after `header`.
    std::size_t findKey(std::size_t header, std::string_view key) const;

    std::vector<Line> lines_;
    std::string eol_ = "\r\n";
};

// Section and key names compare like this (ASCII letters only fold).
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace tc::store
