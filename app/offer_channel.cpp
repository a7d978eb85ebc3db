#include "app/offer_channel.h"

#include "utility/decimal.h"

namespace app {

std::wstring offerChannel(const std::wstring& openid) {
  if (openid.empty()) return L"normal";
  long long id = utility::leadingDecimal(openid);
  return id >= 1500 && id <= 3000 ? L"buy" : L"normal";
}

}  // namespace app
