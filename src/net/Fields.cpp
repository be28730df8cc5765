#include "net/Fields.h"

#include <charconv>
#include <limits>

namespace tc::net {

ConversionError::ConversionError(std::string_view field)
    : std::runtime_error("'" + std::string(field) + "' is not a valid integer value") {}

bool tryToInt(std::string_view text, int& value) {
    if (text.empty()) return false;
    std::string_view digits = text;
    if (digits.front() == '-') digits.remove_prefix(1);
    if (digits.empty()) return false;
    for (char c : digits)
        if (c < '0' || c > '9') return false;
    long long v = 0;
    for (char c : digits) {
        v = v * 10 + (c - '0');
        if (v > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return false;
    }
    if (text.front() == '-') v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min()) return false;
    value = static_cast<int>(v);
    return true;
}

int toInt(std::string_view text) {
    int v = 0;
    if (!tryToInt(text, v)) throw ConversionError(text);
    return v;
}

std::string FieldReader::positional() {
    const auto plus = data_.find('+');
    if (plus == std::string::npos) return {};
    std::string field = data_.substr(0, plus);
    data_.erase(0, plus + 1);
    return field;
}

std::string FieldReader::rest() {
    std::string all = std::move(data_);
    data_.clear();
    return all;
}

std::vector<std::string> readList(std::string data) {
    data += "+@";
    FieldReader r(std::move(data));
    std::vector<std::string> items;
    while (r.remaining() != "@") items.push_back(r.positional());
    return items;
}

bool splitKey(std::string_view line, std::string& key, std::string& data) {
    const auto plus = line.find('+');
    if (plus == std::string_view::npos || plus == 0) return false;
    key.assign(line.substr(0, plus));
    data.assign(line.substr(plus + 1));
    return true;
}

} // namespace tc::net
