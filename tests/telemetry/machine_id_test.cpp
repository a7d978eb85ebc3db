#include "telemetry/machine_id.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using Raw = std::array<uint8_t, 8>;

// The list as the adapter walk builds it, from the raw 8-byte address fields.
std::vector<std::wstring> addressList(const std::vector<Raw>& adapters) {
  std::vector<std::wstring> list;
  for (const Raw& raw : adapters) {
    uint8_t field[8];
    std::copy(raw.begin(), raw.end(), field);
    telemetry::appendAdapterAddress(field, list);
  }
  return list;
}

const Raw kEthernet = {0x00, 0x1A, 0x2B, 0x3D, 0x4E, 0x5F, 0, 0};
const Raw kWireless = {0x0A, 0x00, 0x00, 0x00, 0x00, 0x01, 0, 0};
const Raw kZero = {0, 0, 0, 0, 0, 0, 0, 0};

}  // namespace

TEST(AdapterAddress, FormatsSixBytesAndSkipsOnlyAllZeroFields) {
  // Bytes past the sixth do not show, but they do keep an adapter from counting as zero.
  const Raw tail = {0, 0, 0, 0, 0, 0, 0xAB, 0};
  const Raw lower = {0xde, 0xad, 0xbe, 0xef, 0x0f, 0xf0, 0x11, 0x22};
  EXPECT_EQ(addressList({kEthernet, kZero, tail, lower}),
            (std::vector<std::wstring>{L"001A2B3D4E5F", L"000000000000", L"DEADBEEF0FF0"}));
}

TEST(MachineId, DigestOfSortedJoinedAddressesWithCountPrefix) {
  struct Case {
    const char* what;
    std::vector<Raw> adapters;
    std::string id;
  };
  const Case cases[] = {
      {"no adapters", {}, ""},
      {"only a zero address", {kZero}, ""},
      {"one adapter: no prefix", {kEthernet}, "51583a7ec021041ea60935ffa891b760"},
      {"zero address does not count", {kZero, kEthernet, kZero}, "51583a7ec021041ea60935ffa891b760"},
      {"two adapters", {kEthernet, kWireless}, "2-d527727427512cfec72ff26ba1b6bcd6"},
      {"order does not matter", {kWireless, kEthernet}, "2-d527727427512cfec72ff26ba1b6bcd6"},
      {"duplicates both count", {kEthernet, kEthernet}, "2-1d502f51b02ea11501505a308bf1add0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(telemetry::computeMachineId(addressList(c.adapters)), c.id) << c.what;
  }
}

TEST(MachineId, CountPrefixIsLowerCaseHexadecimal) {
  std::vector<Raw> adapters;
  for (uint8_t i = 1; i <= 26; ++i) adapters.push_back({0x02, 0, 0, 0, 0, i, 0, 0});
  std::string id = telemetry::computeMachineId(addressList(adapters));
  ASSERT_EQ(id.size(), 3u + 32u);
  EXPECT_EQ(id.substr(0, 3), "1a-");
}
