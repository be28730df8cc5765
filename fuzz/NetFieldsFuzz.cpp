// Line framing, the field readers, integer conversion and Windows-1252 in
// both directions, checked against what each promises.
//
// Input: a byte of set-up (the framer's cap, 1..256 bytes or the real
// 8 KiB, and the read size), then the bytes of one connection.
#include <charconv>
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "net/Cp1252.h"
#include "net/Fields.h"
#include "net/LineFramer.h"
#include "net/Message.h"

namespace {

using tc::fuzz::FuzzInput;
using tc::fuzz::shown;
using tc::fuzz::validUtf8;

std::string join(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) out += '+';
        out += items[i];
    }
    return out;
}

void checkInt(std::string_view text) {
    int reference = 0;
    bool plain = !text.empty();
    // toInt's rule: an optional "-", then decimal digits only.
    for (std::size_t i = (text.empty() || text[0] != '-') ? 0 : 1; i < text.size(); ++i)
        plain = plain && text[i] >= '0' && text[i] <= '9';
    plain = plain && text != "-";
    bool fits = false;
    if (plain) {
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), reference);
        fits = ec == std::errc() && end == text.data() + text.size();
    }
    int value = 0;
    const bool ok = tc::net::tryToInt(text, value);
    FUZZ_CHECK(ok == fits, "tryToInt(" + shown(text) + ") = " + (ok ? "true" : "false"));
    if (ok) FUZZ_CHECK(value == reference, "tryToInt(" + shown(text) + ") = " + std::to_string(value));
    try {
        const int thrown = tc::net::toInt(text);
        FUZZ_CHECK(ok && thrown == value, "toInt accepted " + shown(text));
    } catch (const tc::net::ConversionError& e) {
        FUZZ_CHECK(!ok, "toInt refused " + shown(text));
        // what() is a C string: a NUL inside the field ends it there.
        const std::string expected = "'" + std::string(text) + "' is not a valid integer value";
        FUZZ_CHECK(std::string_view(e.what()) == std::string_view(expected.c_str()),
                   "conversion error text: " + shown(e.what()));
    }
}

void checkLine(const std::string& line) {
    std::string key, data;
    if (!tc::net::splitKey(line, key, data)) {
        const auto plus = line.find('+');
        FUZZ_CHECK(plus == std::string::npos || plus == 0, "splitKey refused " + shown(line));
        return;
    }
    FUZZ_CHECK(!key.empty() && key.find('+') == std::string::npos, "key " + shown(key));
    FUZZ_CHECK(key + "+" + data == line, "key and data do not make the line: " + shown(line));

    // A list is the data cut at every "+".
    const std::vector<std::string> list = tc::net::readList(data);
    FUZZ_CHECK(!list.empty() && join(list) == data, "readList(" + shown(data) + ") does not join back");
    for (const auto& item : list) FUZZ_CHECK(item.find('+') == std::string::npos, "list item with +");

    // Positional fields then the rest give back the data.
    tc::net::FieldReader r(data);
    std::string rebuilt;
    for (int n = 0; n < 3; ++n) {
        const bool hadPlus = r.remaining().find('+') != std::string::npos;
        const std::string field = r.positional();
        FUZZ_CHECK(field.find('+') == std::string::npos, "positional field with +");
        if (hadPlus) rebuilt += field + "+";
        else FUZZ_CHECK(field.empty(), "positional field without a + after it");
        checkInt(field);
    }
    rebuilt += r.rest();
    FUZZ_CHECK(rebuilt == data, "positional and rest do not give back " + shown(data));
    FUZZ_CHECK(r.remaining().empty() && r.positional().empty(), "reader not empty after rest");
}

void checkText(std::string_view bytes) {
    const std::string utf8 = tc::net::cp1252ToUtf8(bytes);
    FUZZ_CHECK(validUtf8(utf8), "cp1252ToUtf8(" + shown(bytes) + ") = " + shown(utf8));
    // Every byte but 0xFF (which a text never holds) comes back.
    std::string expected(bytes);
    for (char& c : expected)
        if (c == '\xFF') c = '?';
    const std::string wire = tc::net::utf8ToCp1252(utf8);
    FUZZ_CHECK(wire == expected, "round trip of " + shown(bytes) + " gave " + shown(wire));

    // Any bytes read as UTF-8 (valid or not) go out without 0xFF.
    const std::string out = tc::net::utf8ToCp1252(bytes);
    FUZZ_CHECK(out.find('\xFF') == std::string::npos, "0xFF from utf8ToCp1252(" + shown(bytes) + ")");
    FUZZ_CHECK(out.size() <= bytes.size(), "utf8ToCp1252 grew the text");
    const std::string framed = tc::net::frame(out);
    FUZZ_CHECK(framed.find('\xFF') == framed.size() - 1, "frame() of a text holds two terminators");

    // The characters named as unsendable: each one sent as "?" on its own;
    // none at all when no "?" appears that was not typed.
    const std::string named = tc::net::unsendableCharacters(bytes);
    FUZZ_CHECK(named.find('?') == std::string::npos, "a typed ? named unsendable in " + shown(bytes));
    const auto typed = std::count(bytes.begin(), bytes.end(), '?');
    if (std::count(out.begin(), out.end(), '?') == typed) FUZZ_CHECK(named.empty(), "named " + shown(named));
    else FUZZ_CHECK(!named.empty(), "nothing named for " + shown(bytes));
    const std::string namedOut = tc::net::utf8ToCp1252(named);
    FUZZ_CHECK(namedOut.find_first_not_of('?') == std::string::npos, "named a sendable character: " + shown(named));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::uint8_t setup = in.byte();
    const std::size_t cap = (setup & 0x80) ? tc::net::kMaxLineBytes : static_cast<std::size_t>(setup & 0x7F) * 2 + 1;
    const std::size_t readSize = (setup >> 4) % 7 + 1;
    const std::string_view stream = in.rest();

    checkText(stream);
    checkInt(stream);

    // The same stream framed in one read and in small reads gives the same lines.
    tc::net::LineFramer whole(cap), pieces(cap);
    std::vector<std::string> wholeLines, pieceLines;
    const bool wholeOk = whole.feed(stream, wholeLines);
    bool piecesOk = true;
    for (std::size_t at = 0; at < stream.size() && piecesOk; at += readSize)
        piecesOk = pieces.feed(stream.substr(at, readSize), pieceLines);

    // What a framer must give: every 0xFF-ended line up to the first one
    // over the cap; it fails exactly when a line or the tail is over it.
    std::vector<std::string> expected;
    bool expectOk = true;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = stream.find('\xFF', start);
        const std::size_t len = (end == std::string_view::npos ? stream.size() : end) - start;
        if (len > cap) { expectOk = false; break; }
        if (end == std::string_view::npos) break;
        expected.emplace_back(stream.substr(start, len));
        start = end + 1;
    }
    FUZZ_CHECK(wholeOk == expectOk, "one-read framer verdict");
    FUZZ_CHECK(piecesOk == expectOk, "small-read framer verdict");
    FUZZ_CHECK(wholeLines == expected, "one-read framer lines");
    FUZZ_CHECK(pieceLines == expected, "small-read framer lines");
    if (expectOk) {
        FUZZ_CHECK(whole.tailSize() == stream.size() - start, "tail size");
        FUZZ_CHECK(pieces.tailSize() == stream.size() - start, "tail size of small reads");
    }

    // The discarding framer skips each overlong line and reads on; it gives
    // up only on a run without 0xFF longer than its run cap.
    const std::size_t runCap = cap * 4;
    tc::net::LineFramer skipWhole(cap, runCap), skipPieces(cap, runCap);
    std::vector<std::string> skipWholeLines, skipPieceLines, skipExpected;
    std::size_t wholeDropped = 0, pieceDropped = 0, droppedExpected = 0, tailExpected = 0;
    const bool skipWholeOk = skipWhole.feedDiscarding(stream, skipWholeLines, wholeDropped);
    bool skipPiecesOk = true;
    for (std::size_t at = 0; at < stream.size() && skipPiecesOk; at += readSize)
        skipPiecesOk = skipPieces.feedDiscarding(stream.substr(at, readSize), skipPieceLines, pieceDropped);
    bool skipOk = true;
    for (std::size_t from = 0;;) {
        const std::size_t end = stream.find('\xFF', from);
        const std::size_t len = (end == std::string_view::npos ? stream.size() : end) - from;
        if (len > runCap) { skipOk = false; break; }
        if (len > cap) ++droppedExpected;
        if (end == std::string_view::npos) { tailExpected = len > cap ? 0 : len; break; }
        if (len <= cap) skipExpected.emplace_back(stream.substr(from, len));
        from = end + 1;
    }
    FUZZ_CHECK(skipWholeOk == skipOk, "one-read discarding verdict");
    FUZZ_CHECK(skipPiecesOk == skipOk, "small-read discarding verdict");
    FUZZ_CHECK(skipWholeLines == skipExpected, "one-read discarding lines");
    FUZZ_CHECK(skipPieceLines == skipExpected, "small-read discarding lines");
    if (skipOk) {
        FUZZ_CHECK(wholeDropped == droppedExpected && pieceDropped == droppedExpected, "discarded line count");
        FUZZ_CHECK(skipWhole.tailSize() == tailExpected && skipPieces.tailSize() == tailExpected,
                   "discarding tail size");
    }

    for (const auto& line : wholeLines) {
        FUZZ_CHECK(line.size() <= cap && line.find('\xFF') == std::string::npos, "framed line");
        checkLine(line);
        checkText(line);
    }
    return 0;
}
