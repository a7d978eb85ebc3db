// The version query against the vendor host stand-in over HTTPS.
#include "tests/model/model_fixture.h"

namespace {

using zxtest::ModelTest;
using zxtest::VendorHost;
using zxtest::writeFile;

const char kOpenidDocument[] = R"({"result":[
    {"app_download_url":"http://h/a.apk","app_package_name":"com.a","gamename":"A","xapk":"1"},
    {"gamename":"dropped"},
    {"gameid":"77"}],
  "title":"T","ad":0,"root":true})";

TEST_F(ModelTest, VersionAndOpenidDocuments) {
  serveVersionDocument(L"https://pkg.example/p.exe");
  std::filesystem::create_directories(served.path() / "player_files" / "openidconfig");
  writeFile(served.path() / "player_files" / "openidconfig" / "12345.data", kOpenidDocument);
  VendorHost host(served.path());
  ASSERT_TRUE(host.started());
  DownloaderModel* model = startModel(host);
  ASSERT_TRUE(waitForQuery(model));

  EXPECT_EQ(model->playerUrl(), L"https://pkg.example/p.exe");  // "url_spare" is never taken
  ASSERT_EQ(model->apps().size(), 2u);
  EXPECT_EQ(model->apps()[0].packageName, L"com.a");
  EXPECT_TRUE(model->apps()[0].isXapk);
  EXPECT_EQ(model->apps()[1].gameId, L"77");
  EXPECT_EQ(model->installSettings().title, L"T");
  EXPECT_FALSE(model->installSettings().showAds);
  EXPECT_EQ(model->installSettings().useRoot, 1);

  auto requests = host.journal();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].target(), "/version.json");
  EXPECT_EQ(requests[0].scheme, "https");
  EXPECT_EQ(requests[1].target(), "/player_files/openidconfig/12345.data");
  EXPECT_TRUE(events.all().empty());
}

TEST_F(ModelTest, MissingGenerationMemberStillFetchesTheOpenidDocument) {
  writeFile(served.path() / "version.json", R"({"mnq64":{"url":"x"},"mnq4":"https://h/p.exe"})");
  VendorHost host(served.path());
  ASSERT_TRUE(host.started());
  DownloaderModel* model = startModel(host);
  ASSERT_TRUE(waitForQuery(model));
  EXPECT_EQ(model->playerUrl(), L"");
  // The openid document is missing (404): three attempts, then quietly nothing.
  EXPECT_EQ(host.requestsTo("/player_files/openidconfig/12345.data").size(), 3u);
  EXPECT_TRUE(events.all().empty());
}

TEST_F(ModelTest, UnreachableOpenidHostCostsThreeAttemptsAndThreeSleeps) {
  serveVersionDocument(L"https://pkg.example/p.exe");
  VendorHost host(served.path());
  ASSERT_TRUE(host.started());
  DownloaderModel* model = DownloaderModel::instance();
  // Nothing listens on port 1 of loopback: every attempt fails at once.
  model->setAddresses({host.httpsUrl(L"/version.json"), L"https://127.0.0.1:1/player_files/openidconfig/", L""});
  model->setEventSink(std::make_unique<zxtest::RecordingSink>(events));
  DWORD start = GetTickCount();
  model->initFrom(L"zentrix4_en_12345_x.exe", L"");
  ASSERT_TRUE(waitForQuery(model));
  DWORD elapsed = GetTickCount() - start;
  EXPECT_GE(elapsed, 3000u);
  EXPECT_LT(elapsed, 8000u);
  EXPECT_TRUE(model->apps().empty());
}

TEST_F(ModelTest, NoOpenidDocumentForShortIdsOrCommandLineApps) {
  serveVersionDocument(L"https://pkg.example/p.exe");
  VendorHost host(served.path());
  ASSERT_TRUE(host.started());
  DownloaderModel* model = startModel(host, L"zentrix4_en_1234_x.exe");
  ASSERT_TRUE(waitForQuery(model));
  DownloaderModel::destroyModel();

  model = startModel(host, L"zentrix4_en_12345_x.exe", L"\"name=G|package=com.g|apkurl=http://h/g.apk?a=b\"");
  ASSERT_TRUE(waitForQuery(model));
  ASSERT_EQ(model->apps().size(), 1u);
  EXPECT_EQ(model->apps()[0].downloadUrl, L"http://h/g.apk?a=b");
  EXPECT_EQ(model->apps()[0].gameName, L"G");

  for (const auto& request : host.journal()) EXPECT_EQ(request.target(), "/version.json");
  EXPECT_EQ(host.journal().size(), 2u);
}

TEST_F(ModelTest, VersionDocumentErrors) {
  const struct {
    const char* scenario;
  } cases[] = {
      {R"({"rules":[{"path":"/version.json","status":404}]})"},
      {R"({"rules":[{"path":"/version.json","body":"<html>busy</html>"}]})"},
      {R"({"rules":[{"path":"/version.json","body":"[1,2]"}]})"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scenario);
    zxtest::RecordedEvents caseEvents;
    VendorHost host(served.path(), c.scenario);
    ASSERT_TRUE(host.started());
    DownloaderModel* model = DownloaderModel::instance();
    model->setAddresses({host.httpsUrl(L"/version.json"), host.httpsUrl(L"/player_files/openidconfig/"), L""});
    model->setEventSink(std::make_unique<zxtest::RecordingSink>(caseEvents));
    model->initFrom(L"zentrix4_en_12345_x.exe", L"");
    ASSERT_TRUE(waitForQuery(model));
    EXPECT_EQ(model->playerUrl(), L"");
    EXPECT_EQ(caseEvents.all(), std::vector<std::wstring>{L"getPlayerUrl_error=12345"});
    // No openid document after a failed version query.
    EXPECT_TRUE(host.requestsTo("/player_files").empty());
    DownloaderModel::destroyModel();
  }
}

}  // namespace
