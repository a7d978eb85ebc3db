#include "utility/decimal.h"

#include <gtest/gtest.h>

TEST(LeadingDecimal, ReadsLikeAtoi) {
  struct Case {
    const wchar_t* text;
    long long value;
  };
  const Case cases[] = {
      {L"", 0},       {L"abc", 0},   {L"1500", 1500},   {L"  42x", 42},  {L"\t-7", -7},
      {L"+2999", 2999}, {L"- 5", 0}, {L"12 34", 12},    {L"99999999999999999999999", 9223372036854775807LL},
  };
  for (const Case& c : cases) EXPECT_EQ(utility::leadingDecimal(c.text), c.value) << c.text;
}
