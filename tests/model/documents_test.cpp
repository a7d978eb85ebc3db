// The version and openid documents, read into the package address, the apps and the settings.
#include "model/documents.h"

#include <gtest/gtest.h>

namespace {

// Documents in these tests are ASCII; the ANSI decoder marks its fields so the tests see which
// decoder a member went through.
std::wstring widen(const std::string& bytes) { return std::wstring(bytes.begin(), bytes.end()); }
std::wstring widenAnsi(const std::string& bytes) { return L"ansi:" + widen(bytes); }
const model::TextDecoders kDecoders{&widen, &widenAnsi};

TEST(VersionDocument, TakesTheGenerationMember) {
  const std::string body =
      R"({"mnq":{"url":"u3"},"mnq4":{"ver":"4.1","url":"https://h/p4.exe","url_spare":"s","md5":"ABC"},)"
      R"("mnq64":{"url":"u64"},"mnq9":{"url":"u9"}})";
  const struct {
    model::Generation generation;
    const wchar_t* url;
  } cases[] = {{model::Generation::kGen4, L"https://h/p4.exe"},
               {model::Generation::kGen64, L"u64"},
               {model::Generation::kGen9, L"u9"},
               {model::Generation::kGen3, L"u3"}};
  for (const auto& c : cases) {
    model::PackageInfo info;
    ASSERT_EQ(model::readVersionDocument(body, c.generation, kDecoders, info), model::VersionParse::kParsed);
    EXPECT_TRUE(info.hasUrl);
    EXPECT_EQ(info.url, c.url);
  }
  model::PackageInfo info;
  model::readVersionDocument(body, model::Generation::kGen4, kDecoders, info);
  EXPECT_EQ(info.version, L"4.1");
  EXPECT_EQ(info.md5, "ABC");
}

TEST(VersionDocument, MissingOrMistypedMembersLeaveNoAddress) {
  const std::string bodies[] = {
      R"({"mnq64":{"url":"x"}})",                      // no generation member
      R"({"mnq4":"https://h/p.exe"})",                 // a string, not an object
      R"({"mnq4":{"url_spare":"https://h/spare"}})",   // the spare address is never used
      R"({"mnq4":{"url":5,"ver":true,"md5":null}})",   // values of other types count as absent
  };
  for (const std::string& body : bodies) {
    SCOPED_TRACE(body);
    model::PackageInfo info;
    EXPECT_EQ(model::readVersionDocument(body, model::Generation::kGen4, kDecoders, info),
              model::VersionParse::kParsed);
    EXPECT_FALSE(info.hasUrl);
    EXPECT_FALSE(info.hasVersion);
    EXPECT_FALSE(info.hasMd5);
    EXPECT_TRUE(info.url.empty());
  }
}

TEST(VersionDocument, NotJsonOrNotAnObject) {
  for (const std::string body : {"", "<html>", "[1,2]", "\"text\"", "{\"mnq4\":"}) {
    model::PackageInfo info;
    EXPECT_EQ(model::readVersionDocument(body, model::Generation::kGen4, kDecoders, info),
              model::VersionParse::kNotAnObject)
        << body;
  }
}

TEST(OpenidDocument, KeepsEntriesThatNameSomethingToFetch) {
  const std::string body = R"({"result":[
      {"gamename":"only a name"},
      {"gameid":"g7"},
      {"app_package_name":"com.a","xapk":"1","from_appstore":"1"},
      {"app_download_url":"http://h/a.apk","gamename":"A","game_slt_url":"http://h/i.png",
       "resolution":"1280x720","xapk":"true","from_appstore":"01"},
      {"app_download_url":7,"app_package_name":null},
      "not an object"
  ]})";
  std::vector<model::AppRecord> apps(1);  // appended to, never cleared
  model::readAppList(body, apps, kDecoders);
  ASSERT_EQ(apps.size(), 4u);
  EXPECT_EQ(apps[1].gameId, L"ansi:g7");
  EXPECT_EQ(apps[2].packageName, L"com.a");
  EXPECT_TRUE(apps[2].isXapk);
  EXPECT_TRUE(apps[2].fromAppStore);
  EXPECT_EQ(apps[3].downloadUrl, L"http://h/a.apk");
  EXPECT_EQ(apps[3].gameName, L"A");
  EXPECT_EQ(apps[3].iconUrl, L"http://h/i.png");
  EXPECT_EQ(apps[3].resolution, L"ansi:1280x720");
  EXPECT_FALSE(apps[3].isXapk);
  EXPECT_FALSE(apps[3].fromAppStore);
  EXPECT_TRUE(apps[3].apkPath.empty());
}

TEST(OpenidDocument, ResultMissingOrNotAnArrayAddsNothing) {
  for (const std::string body : {R"({})", R"({"result":{"gameid":"1"}})", R"(not json)", R"([{"gameid":"1"}])"}) {
    std::vector<model::AppRecord> apps;
    model::readAppList(body, apps, kDecoders);
    EXPECT_TRUE(apps.empty()) << body;
  }
}

TEST(OpenidDocument, InstallSettings) {
  model::InstallSettings settings;
  model::readInstallSettings(
      R"({"launch_h":"h.jpg","launch_V":"v.jpg","title":"T","runapp":"r","qqlink":"q","shortcutname":"S",)"
      R"("shortcuturl":"http://s","heapsize":"512","ad":0,"cleanmodel":2,"runappstore":0,"root":true})",
      settings, kDecoders);
  EXPECT_EQ(settings.launchImageHUrl, L"h.jpg");
  EXPECT_EQ(settings.launchImageVUrl, L"v.jpg");
  EXPECT_EQ(settings.title, L"T");
  EXPECT_EQ(settings.runApp, L"r");
  EXPECT_EQ(settings.qqLink, L"q");
  EXPECT_EQ(settings.shortcutName, L"S");
  EXPECT_EQ(settings.shortcutUrl, L"http://s");
  EXPECT_EQ(settings.heapSize, L"512");
  EXPECT_FALSE(settings.showAds);
  EXPECT_TRUE(settings.cleanModel);
  EXPECT_FALSE(settings.runAppStore);
  EXPECT_EQ(settings.useRoot, 1);

  model::InstallSettings other;
  model::readInstallSettings(R"({"ad":false,"cleanmodel":true,"root":false,"title":3,"launch_v":"lower"})", other,
                             kDecoders);
  EXPECT_TRUE(other.showAds);  // a JSON false is not an integer
  EXPECT_FALSE(other.cleanModel);
  EXPECT_EQ(other.useRoot, 0);
  EXPECT_TRUE(other.title.empty());
  EXPECT_TRUE(other.launchImageVUrl.empty());  // keys are case-sensitive

  model::InstallSettings untouched;
  model::readInstallSettings(R"({"result":[]})", untouched, kDecoders);
  EXPECT_EQ(untouched.useRoot, -1);
  EXPECT_TRUE(untouched.showAds);
  EXPECT_TRUE(untouched.runAppStore);
}

}  // namespace
