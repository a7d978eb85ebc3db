// The analytics client id: a stable identifier of the computer derived from the hardware
// addresses of its network adapters, so the same machine reports under the same id on every
// run without any stored state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace telemetry {

// Appends the adapter's first six address bytes as 12 upper-case hexadecimal digits, unless
// all eight bytes of the address field are zero (tunnel and other pseudo-adapters).
void appendAdapterAddress(const uint8_t (&address)[8], std::vector<std::wstring>& list);

// The identifier of these adapter address texts: MD5 (lower-case hex) of the texts sorted
// and joined by "|", preceded by the count in lower-case hex and "-" when there is more than
// one. Empty for an empty list. Duplicates count.
std::string computeMachineId(std::vector<std::wstring> addresses);

#ifdef _WIN32
// Fills list from the IP helper's adapter list, in the order returned. True when it holds at
// least one entry; any failure leaves it empty and is logged.
bool collectAdapterAddresses(std::vector<std::wstring>& list);

// The identifier of this machine's adapters; empty when none could be read.
std::string computeMachineId();
#endif

}  // namespace telemetry
