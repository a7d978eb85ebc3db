// The text form of a package digest, and the comparison with the one the version document
// names (free text there: letter case and surrounding white space do not matter).
#pragma once

#include <cstdint>
#include <string>

namespace model {

// 16 digest bytes as 32 lower-case hexadecimal digits.
std::string digestHex(const std::uint8_t digest[16]);

bool sameDigest(const std::string& expected, const std::string& actualHex);

}  // namespace model
