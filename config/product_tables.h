// Every folder, registry key, address and file name that follows from the emulator generation
// (4, 64, 9 or 3) and the two-letter region key. The key "cn" selects the mainland variant,
// every other key (upper-case "CN" included) the international one.
#pragma once

#include <string>

namespace config {

inline constexpr wchar_t kProductName[] = L"Zentrix";

bool isMainlandKey(const std::wstring& regionKey);

// Folder appended to the chosen drive or folder, with a trailing backslash.
std::wstring productFolderName(int generation, const std::wstring& regionKey);

// Registry key under HKEY_CURRENT_USER holding "InstallDir".
std::wstring productRegistryKey(int generation, const std::wstring& regionKey);

// Key read before productRegistryKey for generations 9 and 3 and the keys "tw" and "kr";
// empty when there is none.
std::wstring extraRegistryKey(int generation, const std::wstring& regionKey);

// Package address used when the version query gave none.
std::wstring defaultPackageUrl(int generation, const std::wstring& regionKey);

// folder + "\Zentrix.exe", or "\zxinst.exe" for "cn".
std::wstring packageFilePath(const std::wstring& folder, const std::wstring& regionKey);

// Version document address (no query string).
std::wstring versionDocumentUrl(const std::wstring& regionKey);

// Openid document base address; the caller appends the openid and ".data".
std::wstring openidDocumentBaseUrl(const std::wstring& regionKey);

// The string bundle's language code: the key when a bundle exists for it, else "en".
std::wstring languageBundleCode(const std::wstring& regionKey);

// "language\downloader_" + languageBundleCode + ".xml".
std::wstring languageBundlePath(const std::wstring& regionKey);

std::wstring homePageUrl(const std::wstring& regionKey);
std::wstring socialPageUrl(const std::wstring& regionKey);
std::wstring offlineInstallerUrl(const std::wstring& regionKey);
std::wstring analyticsTrackingId(const std::wstring& regionKey);

}  // namespace config
