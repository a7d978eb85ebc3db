#include "telemetry/collect_query.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using telemetry::EventChannel;
using telemetry::EventHit;

TEST(CollectUrl, FieldsInOrderForEachChannel) {
  EventHit hit{L"UA-123456789-1", L"2-d527727427512cfec72ff26ba1b6bcd6", L"download_run", L"100"};
  EXPECT_EQ(telemetry::collectUrl(L"collect.example:8080", hit, EventChannel::queued, 41),
            L"http://collect.example:8080/collect?v=1&t=event&tid=UA-123456789-1"
            L"&cid=2-d527727427512cfec72ff26ba1b6bcd6&ec=app2&ea=download_run&el=100&ev=100&z=41");
  hit.cid.clear();
  EXPECT_EQ(telemetry::collectUrl(L"c.example", hit, EventChannel::immediate, 0),
            L"http://c.example/collect?v=1&t=event&tid=UA-123456789-1&cid=&ec=app&ea=download_run&el=100"
            L"&ev=100&z=0");
}

TEST(EscapeQueryValue, KeepsHarmlessTextAndEncodesWhatBreaksTheRequest) {
  struct Case {
    std::wstring text;
    std::wstring escaped;
  };
  const Case cases[] = {
      // The installer's own labels reach the collector as they are.
      {L"time<5", L"time<5"},
      {L"<200kb/s", L"<200kb/s"},
      {L">2M/s", L">2M/s"},
      {L"100_37", L"100_37"},
      {L"a=b;c,d'(e)!*~", L"a=b;c,d'(e)!*~"},
      // A channel id from a renamed file must not add fields, cut the query or change meaning.
      {L"1&ev=5", L"1%26ev=5"},
      {L"x#frag", L"x%23frag"},
      {L"50%", L"50%25"},
      {L"a+b", L"a%2Bb"},
      {L"my setup (2)", L"my%20setup%20(2)"},
      {L"a\r\nHost: evil", L"a%0D%0AHost:%20evil"},
      {std::wstring(L"nul\0x", 5), L"nul%00x"},
      {L"\x7f", L"%7F"},
      // Text outside ASCII goes as UTF-8.
      {L"\u00e9", L"%C3%A9"},
      {L"\u4e2d\u6587", L"%E4%B8%AD%E6%96%87"},
      {L"\xD83D\xDE00", L"%F0%9F%98%80"},
      {L"\xD83D!", L"%EF%BF%BD!"},
      {L"\xDE00", L"%EF%BF%BD"},
  };
  for (const Case& c : cases) EXPECT_EQ(telemetry::escapeQueryValue(c.text), c.escaped);
}

TEST(CollectUrl, LongAddressIsCutWithoutSplittingAnEscape) {
  EventHit hit{L"UA-1-1", L"", L"download_run", L""};
  const std::wstring plain = telemetry::collectUrl(L"h", hit, EventChannel::queued, 7);
  const size_t labelAt = plain.find(L"&el=") + 4;
  // Move a "%E4%B8%AD" group across the limit one character at a time.
  for (size_t pad = 0; pad < 12; ++pad) {
    hit.label = std::wstring(telemetry::kMaxCollectUrl - labelAt - 9 + pad, L'x') + std::wstring(20, L'\u4e2d');
    std::wstring url = telemetry::collectUrl(L"h", hit, EventChannel::queued, 7);
    ASSERT_LE(url.size(), telemetry::kMaxCollectUrl);
    EXPECT_GE(url.size(), telemetry::kMaxCollectUrl - 2);
    EXPECT_EQ(url.find(L'%', url.size() - 2), std::wstring::npos) << "pad " << pad << ": " << url.substr(url.size() - 6);
  }
}

TEST(CacheBuster, StaysInRangeAndVaries) {
  std::set<int> seen;
  for (int i = 0; i < 200; ++i) {
    int z = telemetry::nextCacheBuster();
    ASSERT_GE(z, 0);
    ASSERT_LE(z, 32767);
    seen.insert(z);
  }
  EXPECT_GT(seen.size(), 150u);
}
