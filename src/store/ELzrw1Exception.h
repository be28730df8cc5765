#pragma once
// The one error of the compressed container: its message is the text shown
// to the player (or printed by tilecrest-pack).
#include <stdexcept>
#include <string>

namespace tc::store {

class ELzrw1Exception : public std::runtime_error {
public:
    explicit ELzrw1Exception(const std::string& message) : std::runtime_error(message) {}
};

} // namespace tc::store
