#include "config/vendor_table.h"

#include <cwchar>
#include <iterator>

namespace config {
namespace {

// Edit here. Columns: region key, home page, social page, analytics property id.
// nullptr: the key uses the default row's value.
constexpr VendorRegion kRegions[] = {
    {L"cn", nullptr, nullptr, L"UA-104382915-1"},
    {L"tw", L"https://tw.zentrixplayer.com/", L"https://www.facebook.com/ZentrixPlayerTW/", L"UA-117036482-3"},
    {L"kr", L"https://www.zentrixplayer.com/kr/", L"https://cafe.naver.com/zentrixplayer", L"UA-117036482-4"},
    {L"vn", L"https://www.zentrixplayer.com/vn/", L"https://www.facebook.com/ZentrixPlayerVN/", L"UA-117036482-5"},
    {L"th", L"https://www.zentrixplayer.com/th/", L"https://www.facebook.com/ZentrixPlayerTH/", L"UA-117036482-6"},
    {L"ru", L"https://www.zentrixplayer.com/ru/", L"https://vk.com/zentrixplayer", L"UA-117036482-7"},
    {L"pt", L"https://www.zentrixplayer.com/pt/", L"https://www.facebook.com/ZentrixPlayerBR/", L"UA-117036482-8"},
    {L"jp", L"https://www.zentrixplayer.com/jp/", L"https://twitter.com/ZentrixPlayerJP", L"UA-117036482-9"},
    {L"id", L"https://www.zentrixplayer.com/id/", L"https://www.facebook.com/ZentrixPlayerID/", L"UA-117036482-10"},
    {L"fr", L"https://www.zentrixplayer.com/fr/", L"https://www.facebook.com/ZentrixPlayerFR/", L"UA-117036482-11"},
    {L"es", L"https://www.zentrixplayer.com/es/", nullptr, L"UA-117036482-12"},
    {L"de", L"https://www.zentrixplayer.com/de/", L"https://www.facebook.com/ZentrixPlayerDE/", L"UA-117036482-13"},
    {L"ar", L"https://www.zentrixplayer.com/ar/", L"https://www.facebook.com/ZentrixPlayerAR/", L"UA-117036482-14"},
    {L"fa", L"https://www.zentrixplayer.com/fa/", L"https://www.facebook.com/ZentrixPlayerFA/", L"UA-117036482-15"},
};

constexpr VendorTable kTable = {
    L"http://www.halvari-zentrix.cn/",
    L"https://drive.google.com/uc?export=download&id=1ZxQ7rKp4mWnV8sTdLbY2cHfJgE0aUoRi",
    L"https://jq.qq.com/?_wv=1027&k=zentrixqq",
    {nullptr, L"https://www.zentrixplayer.com/", L"https://www.facebook.com/ZentrixPlayer/", L"UA-117036482-1"},
    kRegions,
    static_cast<int>(std::size(kRegions)),
};

}  // namespace

const VendorTable& vendorTable() { return kTable; }

const VendorRegion* vendorRegion(const wchar_t* key) {
  for (const VendorRegion& region : kRegions) {
    if (std::wcscmp(region.key, key) == 0) return &region;
  }
  return nullptr;
}

}  // namespace config
