// The vendor's own addresses and ids: web sites, social pages, the offline installer link and
// the analytics properties. This is the one place a vendor edits them; the download and content
// host names come from the build (config/build_constants.h).
#pragma once

namespace config {

// Per-key values. A null entry means the key uses the default row's value.
struct VendorRegion {
  const wchar_t* key;
  const wchar_t* homePage;
  const wchar_t* socialPage;
  const wchar_t* trackingId;
};

struct VendorTable {
  const wchar_t* mainlandWebSite;      // home, social and offline page for "cn"
  const wchar_t* offlineInstaller;     // every key but "cn"
  const wchar_t* chatGroupPage;        // the mainland chat-group button
  VendorRegion defaults;               // keys without a row of their own
  const VendorRegion* regions;
  int regionCount;
};

const VendorTable& vendorTable();

// The row of a key, or nullptr.
const VendorRegion* vendorRegion(const wchar_t* key);

}  // namespace config
