#pragma once
// This machine's own addresses, as text, from every interface that is up
// and not a loopback. ReachableAddresses decides which of them to give out.
#include <string>
#include <vector>

namespace tc::client {

std::vector<std::string> localAddresses();

} // namespace tc::client
