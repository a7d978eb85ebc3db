#include "config/product_tables.h"

#include <cwchar>

#include "config/build_constants.h"
#include "config/vendor_table.h"

namespace config {
namespace {

// Row of a per-generation table: the mainland value, then the international one.
struct ByGeneration {
  int generation;
  const wchar_t* mainland;
  const wchar_t* international;
};

constexpr ByGeneration kFolders[] = {
    {4, L"Halvari\\Zentrix4.0\\", L"Zentrix\\Zentrix4.0\\"},
    {64, L"Halvari\\Zentrix64\\", L"Zentrix\\Zentrix64\\"},
    {9, L"Halvari\\Zentrix9\\", L"Zentrix\\Zentrix9\\"},
    {3, L"Halvari\\Zentrix3.0\\", L"Zentrix\\Zentrix3.0\\"},
};

constexpr ByGeneration kRegistryKeys[] = {
    {4, L"Software\\Halvari\\Zentrix", L"Software\\Morvell\\Zentrix"},
    {64, L"Software\\Halvari\\Zentrix64", L"Software\\Morvell\\Zentrix64"},
    {9, L"Software\\Halvari\\Zentrix9", L"Software\\Morvell\\Zentrix9"},
    {3, L"Software\\Tessane2\\vqplayer", L"Software\\Tessane\\Zentrix"},
};

// Generation 9 has no ".0" in the mainland name and has it in the international one.
constexpr ByGeneration kPackagePaths[] = {
    {4, L"/download/release/zxinst4.0.exe", L"/download/package/Zentrix4.0.exe"},
    {64, L"/download/release/zxinst64.exe", L"/download/package/Zentrix64.exe"},
    {9, L"/download/release/zxinst9.exe", L"/download/package/Zentrix9.0.exe"},
    {3, L"/download/release/zxinst3.0.exe", L"/download/package/Zentrix3.0.exe"},
};

// Keys that have a string bundle of their own (or are expected to get one).
constexpr const wchar_t* kBundleKeys[] = {L"cn", L"tw", L"kr", L"vn", L"th", L"ru", L"pt", L"fr",
                                          L"jp", L"es", L"id", L"ar", L"fa", L"tr", L"de"};

// Unknown generations are treated as generation 3, as the flags are when none is set.
template <std::size_t N>
const wchar_t* pick(const ByGeneration (&table)[N], int generation, const std::wstring& regionKey) {
  const ByGeneration* row = &table[N - 1];
  for (const ByGeneration& candidate : table) {
    if (candidate.generation == generation) row = &candidate;
  }
  return isMainlandKey(regionKey) ? row->mainland : row->international;
}

std::wstring httpsAddress(const wchar_t* path, const std::wstring& regionKey) {
  const wchar_t* host = isMainlandKey(regionKey) ? buildconst::kMainlandHost : buildconst::kContentHost;
  return std::wstring(L"https://") + host + path;
}

// The vendor's value for a key, falling back to the default row when the key has none.
std::wstring vendorValue(const std::wstring& regionKey, const wchar_t* VendorRegion::*field) {
  const VendorRegion* region = vendorRegion(regionKey.c_str());
  if (region && region->*field) return region->*field;
  return vendorTable().defaults.*field;
}

}  // namespace

bool isMainlandKey(const std::wstring& regionKey) { return regionKey == L"cn"; }

std::wstring productFolderName(int generation, const std::wstring& regionKey) {
  return pick(kFolders, generation, regionKey);
}

std::wstring productRegistryKey(int generation, const std::wstring& regionKey) {
  return pick(kRegistryKeys, generation, regionKey);
}

std::wstring extraRegistryKey(int generation, const std::wstring& regionKey) {
  if (generation == 4 || generation == 64) return std::wstring();
  if (regionKey == L"tw") return L"Software\\Tessane\\vqplayer-tw";
  if (regionKey == L"kr") return L"Software\\Tessane\\vqplayer-kr";
  return std::wstring();
}

std::wstring defaultPackageUrl(int generation, const std::wstring& regionKey) {
  return httpsAddress(pick(kPackagePaths, generation, regionKey), regionKey);
}

std::wstring packageFilePath(const std::wstring& folder, const std::wstring& regionKey) {
  return folder + (isMainlandKey(regionKey) ? L"\\zxinst.exe" : L"\\Zentrix.exe");
}

std::wstring versionDocumentUrl(const std::wstring& regionKey) {
  return httpsAddress(isMainlandKey(regionKey) ? L"/zx/halvari" : L"/player_files/en/halvari", regionKey);
}

std::wstring openidDocumentBaseUrl(const std::wstring& regionKey) {
  return httpsAddress(L"/player_files/openidconfig/", regionKey);
}

std::wstring languageBundleCode(const std::wstring& regionKey) {
  for (const wchar_t* key : kBundleKeys) {
    if (regionKey == key) return regionKey;
  }
  return L"en";
}

std::wstring languageBundlePath(const std::wstring& regionKey) {
  return L"language\\downloader_" + languageBundleCode(regionKey) + L".xml";
}

std::wstring homePageUrl(const std::wstring& regionKey) {
  if (isMainlandKey(regionKey)) return vendorTable().mainlandWebSite;
  return vendorValue(regionKey, &VendorRegion::homePage);
}

std::wstring socialPageUrl(const std::wstring& regionKey) {
  if (isMainlandKey(regionKey)) return vendorTable().mainlandWebSite;
  return vendorValue(regionKey, &VendorRegion::socialPage);
}

std::wstring offlineInstallerUrl(const std::wstring& regionKey) {
  return isMainlandKey(regionKey) ? vendorTable().mainlandWebSite : vendorTable().offlineInstaller;
}

std::wstring analyticsTrackingId(const std::wstring& regionKey) {
  return vendorValue(regionKey, &VendorRegion::trackingId);
}

}  // namespace config
