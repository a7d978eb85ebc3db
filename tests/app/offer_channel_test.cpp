#include "app/offer_channel.h"

#include <gtest/gtest.h>

TEST(OfferChannel, PaidTrafficRangeIsInclusive) {
  struct Case {
    const wchar_t* openid;
    const wchar_t* channel;
  };
  const Case cases[] = {
      {L"1500", L"buy"},     {L"3000", L"buy"},   {L"2050", L"buy"},  {L"1499", L"normal"},
      {L"3001", L"normal"},  {L"", L"normal"},    {L"100", L"normal"}, {L" 2000abc", L"buy"},
  };
  for (const Case& c : cases) EXPECT_EQ(app::offerChannel(c.openid), c.channel) << c.openid;
}
