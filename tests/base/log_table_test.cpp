#include "base/log_table.h"

#include <gtest/gtest.h>

TEST(LogTable, RowsOfTheProductFamily) {
  auto table = common::buildLogFileTable(L"C:\\AppData");
  const std::pair<int, const wchar_t*> rows[] = {
      {1, L"C:\\AppData\\Tessane2\\log/vqinstall.log"},      {2, L"C:\\AppData\\Tessane2\\log/vquninstall.log"},
      {3, L""},                                              {4, L"C:\\AppData\\Tessane2\\log/vqmultiplayer.log"},
      {5, L"C:\\AppData\\Tessane2\\log/vqrepairer.log"},     {6, L"C:\\AppData\\Tessane2\\log/vqvideorecord.log"},
      {7, L"C:\\AppData\\Tessane2\\log/vqconsole.log"},      {8, L"C:\\AppData\\zxdownloader\\zxdownloader.log"},
      {9, L"C:\\AppData\\Tessane2\\log/vqupload.log"},
  };
  EXPECT_EQ(table.size(), 9u);
  for (const auto& [id, path] : rows) EXPECT_EQ(common::logFilePath(table, id), path) << id;
  EXPECT_EQ(common::logFilePath(table, 0), L"");
  EXPECT_EQ(common::logFilePath(table, 10), L"");
}

TEST(LogTable, FolderOfAFileTakesEitherSeparator) {
  EXPECT_EQ(common::logFolderOf(L"C:\\A\\Tessane2\\log/vqinstall.log"), L"C:\\A\\Tessane2\\log");
  EXPECT_EQ(common::logFolderOf(L"C:\\A\\zxdownloader\\zxdownloader.log"), L"C:\\A\\zxdownloader");
  EXPECT_EQ(common::logFolderOf(L"plain.log"), L"");
}
