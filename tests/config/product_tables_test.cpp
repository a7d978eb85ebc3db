#include "config/product_tables.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <set>
#include <string>

#include "config/build_constants.h"
#include "config/vendor_table.h"

namespace {

using std::wstring;

struct GenerationCase {
  int generation;
  const wchar_t* key;
  const wchar_t* folder;
  const wchar_t* registryKey;
  const wchar_t* packagePath;
};

// "CN" and "usa" are international keys: comparisons are exact.
const GenerationCase kGenerationCases[] = {
    {4, L"en", L"Zentrix\\Zentrix4.0\\", L"Software\\Morvell\\Zentrix", L"/download/package/Zentrix4.0.exe"},
    {4, L"cn", L"Halvari\\Zentrix4.0\\", L"Software\\Halvari\\Zentrix", L"/download/release/zxinst4.0.exe"},
    {64, L"tw", L"Zentrix\\Zentrix64\\", L"Software\\Morvell\\Zentrix64", L"/download/package/Zentrix64.exe"},
    {64, L"cn", L"Halvari\\Zentrix64\\", L"Software\\Halvari\\Zentrix64", L"/download/release/zxinst64.exe"},
    {9, L"kr", L"Zentrix\\Zentrix9\\", L"Software\\Morvell\\Zentrix9", L"/download/package/Zentrix9.0.exe"},
    {9, L"cn", L"Halvari\\Zentrix9\\", L"Software\\Halvari\\Zentrix9", L"/download/release/zxinst9.exe"},
    {3, L"usa", L"Zentrix\\Zentrix3.0\\", L"Software\\Tessane\\Zentrix", L"/download/package/Zentrix3.0.exe"},
    {3, L"cn", L"Halvari\\Zentrix3.0\\", L"Software\\Tessane2\\vqplayer", L"/download/release/zxinst3.0.exe"},
    {3, L"CN", L"Zentrix\\Zentrix3.0\\", L"Software\\Tessane\\Zentrix", L"/download/package/Zentrix3.0.exe"},
};

wstring httpsOn(const wchar_t* host, const wchar_t* path) { return wstring(L"https://") + host + path; }

TEST(ProductTables, PerGenerationAndRegion) {
  for (const GenerationCase& c : kGenerationCases) {
    SCOPED_TRACE(testing::Message() << c.generation << " " << testing::PrintToString(wstring(c.key)));
    EXPECT_EQ(config::productFolderName(c.generation, c.key), c.folder);
    EXPECT_EQ(config::productRegistryKey(c.generation, c.key), c.registryKey);
    const wchar_t* host = wstring(c.key) == L"cn" ? buildconst::kMainlandHost : buildconst::kContentHost;
    EXPECT_EQ(config::defaultPackageUrl(c.generation, c.key), httpsOn(host, c.packagePath));
  }
}

TEST(ProductTables, ExtraRegistryKeysOnlyForGenerations9And3InTaiwanAndKorea) {
  EXPECT_EQ(config::extraRegistryKey(9, L"tw"), L"Software\\Tessane\\vqplayer-tw");
  EXPECT_EQ(config::extraRegistryKey(3, L"kr"), L"Software\\Tessane\\vqplayer-kr");
  EXPECT_EQ(config::extraRegistryKey(3, L"tw"), L"Software\\Tessane\\vqplayer-tw");
  for (int generation : {4, 64}) {
    EXPECT_EQ(config::extraRegistryKey(generation, L"tw"), L"");
    EXPECT_EQ(config::extraRegistryKey(generation, L"kr"), L"");
  }
  for (const wchar_t* key : {L"cn", L"en", L"TW", L"KR"}) EXPECT_EQ(config::extraRegistryKey(9, key), L"") << key;
}

TEST(ProductTables, PackageFileAndServiceAddresses) {
  EXPECT_EQ(config::packageFilePath(L"D:\\Zentrix\\Zentrix4.0", L"en"), L"D:\\Zentrix\\Zentrix4.0\\Zentrix.exe");
  EXPECT_EQ(config::packageFilePath(L"D:\\Halvari", L"cn"), L"D:\\Halvari\\zxinst.exe");
  EXPECT_EQ(config::packageFilePath(L"D:\\x", L"CN"), L"D:\\x\\Zentrix.exe");

  EXPECT_EQ(config::versionDocumentUrl(L"cn"), httpsOn(buildconst::kMainlandHost, L"/zx/halvari"));
  EXPECT_EQ(config::versionDocumentUrl(L"tw"), httpsOn(buildconst::kContentHost, L"/player_files/en/halvari"));
  EXPECT_EQ(config::openidDocumentBaseUrl(L"cn"), httpsOn(buildconst::kMainlandHost, L"/player_files/openidconfig/"));
  EXPECT_EQ(config::openidDocumentBaseUrl(L"en"), httpsOn(buildconst::kContentHost, L"/player_files/openidconfig/"));
}

TEST(ProductTables, LanguageBundleByKey) {
  // "tr" and "de" keep their codes although the skin may lack their bundles.
  for (const wchar_t* key : {L"cn", L"tw", L"kr", L"vn", L"th", L"ru", L"pt", L"fr", L"jp", L"es", L"id", L"ar", L"fa",
                             L"tr", L"de"}) {
    EXPECT_EQ(config::languageBundlePath(key), wstring(L"language\\downloader_") + key + L".xml");
  }
  for (const wchar_t* key : {L"en", L"it", L"in", L"my", L"ua", L"CN", L"usa", L"", L"ens"}) {
    EXPECT_EQ(config::languageBundlePath(key), L"language\\downloader_en.xml") << key;
  }
}

TEST(ProductTables, WebPagesAndTrackingIdsByKey) {
  const config::VendorTable& vendor = config::vendorTable();
  const wstring mainland = vendor.mainlandWebSite;
  EXPECT_EQ(config::homePageUrl(L"cn"), mainland);
  EXPECT_EQ(config::socialPageUrl(L"cn"), mainland);
  EXPECT_EQ(config::offlineInstallerUrl(L"cn"), mainland);
  EXPECT_EQ(mainland.rfind(L"http://", 0), 0u);

  // Keys without values of their own, upper-case "CN" among them, get the international defaults.
  for (const wchar_t* key : {L"it", L"CN", L"en", L"usa", L"", L"my"}) {
    SCOPED_TRACE(testing::PrintToString(wstring(key)));
    EXPECT_EQ(config::homePageUrl(key), vendor.defaults.homePage);
    EXPECT_EQ(config::socialPageUrl(key), vendor.defaults.socialPage);
    EXPECT_EQ(config::analyticsTrackingId(key), vendor.defaults.trackingId);
    EXPECT_EQ(config::offlineInstallerUrl(key), vendor.offlineInstaller);
  }

  std::set<wstring> homePages;
  for (const wchar_t* key : {L"tw", L"kr", L"vn", L"th", L"ru", L"pt", L"id", L"es", L"fr", L"jp", L"ar", L"fa", L"de"}) {
    homePages.insert(config::homePageUrl(key));
  }
  EXPECT_EQ(homePages.size(), 13u);
  EXPECT_EQ(homePages.count(vendor.defaults.homePage), 0u);

  std::set<wstring> socialPages;
  for (const wchar_t* key : {L"tw", L"vn", L"th", L"pt", L"fr", L"ar", L"fa", L"de", L"id", L"kr", L"ru", L"jp"}) {
    socialPages.insert(config::socialPageUrl(key));
  }
  EXPECT_EQ(socialPages.size(), 12u);
  EXPECT_EQ(socialPages.count(vendor.defaults.socialPage), 0u);
  EXPECT_EQ(config::socialPageUrl(L"es"), vendor.defaults.socialPage);

  std::set<wstring> trackingIds;
  for (const wchar_t* key : {L"cn", L"tw", L"kr", L"vn", L"th", L"ru", L"pt", L"jp", L"id", L"fr", L"es", L"de", L"ar",
                             L"fa"}) {
    trackingIds.insert(config::analyticsTrackingId(key));
  }
  trackingIds.insert(vendor.defaults.trackingId);
  EXPECT_EQ(trackingIds.size(), 15u);
}

// "UA-", nine digits, "-", a small number.
bool isTrackingId(const wstring& id) {
  if (id.size() < 14 || id.compare(0, 3, L"UA-") != 0 || id[12] != L'-') return false;
  for (std::size_t i = 3; i < id.size(); ++i) {
    if (i != 12 && !std::iswdigit(id[i])) return false;
  }
  return id.size() <= 16;
}

TEST(VendorTable, TrackingIdsAreWellFormedAndTheMainlandOneIsItsOwnProperty) {
  const config::VendorTable& vendor = config::vendorTable();
  ASSERT_TRUE(isTrackingId(vendor.defaults.trackingId)) << vendor.defaults.trackingId;
  for (int i = 0; i < vendor.regionCount; ++i) {
    const config::VendorRegion& region = vendor.regions[i];
    if (region.trackingId) EXPECT_TRUE(isTrackingId(region.trackingId)) << region.key;
  }
  const wstring property = wstring(vendor.defaults.trackingId).substr(0, 12);
  EXPECT_NE(config::analyticsTrackingId(L"cn").substr(0, 12), property);
  EXPECT_EQ(config::analyticsTrackingId(L"tw").substr(0, 12), property);
}

}  // namespace
