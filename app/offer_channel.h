#pragma once

#include <string>

namespace app {
// The partner-offer channel for a distribution channel id: "buy" for the paid-traffic range
// 1500 to 3000, "normal" otherwise.
std::wstring offerChannel(const std::wstring& openid);
}
