#pragma once
// The three field readers of the wire format and integer conversion.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tc::net {

// Raised when an integer field is empty or not decimal. what() is the
// text "'<field>' is not a valid integer value".
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(std::string_view field);
};

// Decimal text to int: optional "-", digits only, no spaces; anything
// else (or a value outside int) throws ConversionError.
int toInt(std::string_view text);
// Same rule without throwing.
bool tryToInt(std::string_view text, int& value);

// Reads fields off the data (the text after the keyword and its "+").
class FieldReader {
public:
    explicit FieldReader(std::string data) : data_(std::move(data)) {}

    // Text before the next "+", removed with that "+". With no "+" left it
    // yields "" and removes nothing.
    std::string positional();
    int positionalInt() { return toInt(positional()); }
    // All remaining data, "+" signs included.
    std::string rest();
    const std::string& remaining() const { return data_; }

private:
    std::string data_;
};

// List read: appends "+@" and reads positional fields until exactly "@"
// is left. "4+5" gives {"4","5"}; "4+5+" gives {"4","5",""}; "" gives {""}.
std::vector<std::string> readList(std::string data);

// Splits a received line into key (before the first "+") and data (after
// it). Returns false for a line without "+" or with an empty key.
bool splitKey(std::string_view line, std::string& key, std::string& data);

} // namespace tc::net
