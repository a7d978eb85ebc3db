// The comparison of a package digest's text form with the one the version document
// names (free text there: letter case and surrounding white space do not matter).
#pragma once

#include <string>

namespace model {

bool sameDigest(const std::string& expected, const std::string& actualHex);

}  // namespace model
