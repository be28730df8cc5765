#pragma once
// The one switch that keeps every mapping request off the network: with
// TILECREST_NO_PORT_MAP set to anything but "" or "0" in the environment,
// no program of the game sends a NAT-PMP or SSDP packet, whatever its
// options say. The test runner sets it for every test; only the tests in
// private network namespaces clear it.
namespace tc::portmap {

inline constexpr const char* kSwitchVariable = "TILECREST_NO_PORT_MAP";

bool mappingSwitchedOff();

} // namespace tc::portmap
