#include "store/IniFile.h"

#include <charconv>
#include <limits>

#include "net/Cp1252.h"

namespace tc::store {
namespace {

constexpr std::size_t npos = std::string::npos;

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The name of a "[name]" line, or nothing when the line is not a header.
std::optional<std::string_view> headerName(std::string_view line) {
    line = trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    const auto close = line.find(']');
    if (close == npos) return std::nullopt;
    return trim(line.substr(1, close - 1));
}

bool isComment(std::string_view line) {
    line = trim(line);
    return !line.empty() && (line.front() == ';' || line.front() == '#');
}

bool validUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        char32_t cp = 0;
        if (c < 0x80) { ++i; continue; }
        if (c >= 0xC2 && c <= 0xDF) { n = 1; cp = c & 0x1F; }
        else if (c >= 0xE0 && c <= 0xEF) { n = 2; cp = c & 0x0F; }
        else if (c >= 0xF0 && c <= 0xF4) { n = 3; cp = c & 0x07; }
        else return false;
        for (std::size_t k = 1; k <= n; ++k) {
            if (i + k >= s.size()) return false;
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not text.
        if ((n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n + 1;
    }
    return true;
}

// The value as the file stores it: Windows-1252, as the programs that share
// the file read it. Text with a character Windows-1252 lacks stays UTF-8,
// and so does text whose Windows-1252 bytes would read back as other
// UTF-8 text, so every value reads back as written.
std::string fileBytes(std::string_view utf8) {
    std::string out;
    // "\u00ff" is a file's 0xFF; the wire's converter keeps that byte out.
    for (std::size_t from = 0;;) {
        const std::size_t y = utf8.find("\xC3\xBF", from);
        const std::string_view piece = utf8.substr(from, y == npos ? npos : y - from);
        const std::string bytes = net::utf8ToCp1252(piece);
        if (net::cp1252ToUtf8(bytes) != piece) return std::string(utf8);
        out += bytes;
        if (y == npos) break;
        out += '\xFF';
        from = y + 2;
    }
    bool ascii = true;
    for (char c : out) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (!ascii && validUtf8(out)) return std::string(utf8);
    return out;
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

IniFile::IniFile(std::string_view bytes) {
    bool eolSeen = false;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        Line line;
        if (end == npos) {
            line.text.assign(bytes.substr(start));
            start = bytes.size();
        } else {
            line.text.assign(bytes.substr(start, end - start));
            const std::size_t endLen = (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
            line.end.assign(bytes.substr(end, endLen));
            start = end + endLen;
            if (!eolSeen) {
                eol_ = line.end;
                eolSeen = true;
            }
        }
        lines_.push_back(std::move(line));
    }
}

std::size_t IniFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = headerName(lines_[i].text);
        if (name && equalsIgnoringCase(*name, section)) return i;
    }
    return npos;
}

std::size_t IniFile::findKey(std::size_t header, std::string_view key) const {
    for (std::size_t i = header + 1; i < lines_.size(); ++i) {
        const std::string_view text = lines_[i].text;
        if (headerName(text)) return npos;
        if (isComment(text)) continue;
        const auto eq = text.find('=');
        if (eq != npos && equalsIgnoringCase(trim(text.substr(0, eq)), key)) return i;
    }
    return npos;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const std::size_t header = findSection(section);
    if (header == npos) return std::nullopt;
    const std::size_t at = findKey(header, key);
    if (at == npos) return std::nullopt;
    const std::string_view text = lines_[at].text;
    const std::string_view raw = trim(text.substr(text.find('=') + 1));
    if (validUtf8(raw)) return std::string(raw);
    return net::cp1252ToUtf8(raw);
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    auto v = value(section, key);
    return v ? *v : std::string(fallback);
}

int IniFile::readInteger(std::string_view section, std::string_view key, int fallback) const {
    const auto v = value(section, key);
    if (!v || v->empty()) return fallback;
    std::string_view s = *v;
    if (s.front() == '+') s.remove_prefix(1);
    int out = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    if (ec != std::errc() || ptr != s.data() + s.size() || s.empty()) return fallback;
    return out;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view valueUtf8) {
    std::string value = fileBytes(valueUtf8);
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';

    std::size_t header = findSection(section);
    if (header != npos) {
        const std::size_t at = findKey(header, key);
        if (at != npos) {
            std::string& text = lines_[at].text;
            text = text.substr(0, text.find('=') + 1) + value;
            return;
        }
        // After the section's last line that is not blank, so the blank
        // line that usually separates sections stays where it was.
        std::size_t insertAt = header + 1;
        for (std::size_t i = header + 1; i < lines_.size() && !headerName(lines_[i].text); ++i)
            if (!trim(lines_[i].text).empty()) insertAt = i + 1;
        if (lines_[insertAt - 1].end.empty()) lines_[insertAt - 1].end = eol_;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                      Line{std::string(key) + "=" + value, eol_});
        return;
    }
    if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = eol_;
    lines_.push_back(Line{"[" + std::string(section) + "]", eol_});
    lines_.push_back(Line{std::string(key) + "=" + value, eol_});
}

std::string IniFile::bytes() const {
    std::string out;
    std::size_t size = 0;
    for (const auto& l : lines_) size += l.text.size() + l.end.size();
    out.reserve(size);
    for (const auto& l : lines_) {
        out += l.text;
        out += l.end;
    }
    return out;
}

} // namespace tc::store
