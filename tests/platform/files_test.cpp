#include <gtest/gtest.h>

#include "hosts/settings_store.h"
#include "platform/file_store.h"
#include "support/temp_dir.h"

namespace sb {
namespace {

TEST(FileStore, WritesWholeFilesAndLeavesNoTemporaries) {
  test::TempDir dir;
  DiskFolder folder(dir.path() / "player");
  ASSERT_TRUE(folder.Write("sbinfo.sbr", {1, 2, 3}));
  ASSERT_TRUE(folder.Write("sbinfo.sbr", {4, 5}));
  EXPECT_EQ(folder.Read("sbinfo.sbr"), (std::vector<uint8_t>{4, 5}));
  EXPECT_FALSE(folder.Read("missing.sbr"));
  size_t entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path() / "player")) ++entries;
  EXPECT_EQ(entries, 1u);
}

TEST(FileStore, AFailedWriteKeepsTheOldFile) {
  test::TempDir dir;
  DiskFolder folder(dir.path());
  ASSERT_TRUE(folder.Write("keymap.sbk", {9, 9}));
  std::filesystem::create_directory(dir.path() / "blocked");  // a folder where the file should go
  EXPECT_FALSE(folder.Write("blocked", {1}));
  EXPECT_EQ(folder.Read("keymap.sbk"), (std::vector<uint8_t>{9, 9}));
}

TEST(SettingsStore, SetsKeysAndKeepsEverythingElse) {
  std::string ini;
  ini = SetIniValue(ini, "KVZ31P", "Settings", "HS", "100");
  ini = SetIniValue(ini, "Other", "Section", "X", "1");
  ini = SetIniValue(ini, "KVZ31P", "Settings", "HSLevel", "Easy");
  ini = SetIniValue(ini, "KVZ31P", "Settings", "HS", "250");
  EXPECT_EQ(ini, "[KVZ31P/Settings]\nHS=250\nHSLevel=Easy\n\n[Other/Section]\nX=1\n");
  EXPECT_EQ(SetIniValue("", "A", "B", "K", "two\nlines"), "[A/B]\nK=two lines\n");
}

TEST(SettingsStore, ReadsValuesAsWrittenOrEditedByHand) {
  const std::string ini =
      "# board for our club\r\n"
      "[Other/ScoreBoard]\r\n"
      "board_url=http://wrong/\r\n"
      "[Starbarrow/ScoreBoard]\r\n"
      "  board_url = https://board.example.org/ \r\n"
      "player_name=\r\n"
      "\r\n"
      "[Next/Section]\r\n"
      "colour=blue\r\n";
  struct Case {
    const char* key;
    std::optional<std::string> value;
  };
  const Case cases[] = {{"board_url", "https://board.example.org/"}, {"player_name", ""}, {"colour", std::nullopt},
                        {"missing", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(GetIniValue(ini, "Starbarrow", "ScoreBoard", c.key), c.value) << c.key;

  // A value written over a hand-edited one replaces it rather than adding a second.
  const std::string rewritten = SetIniValue(ini, "Starbarrow", "ScoreBoard", "board_url", "http://new");
  EXPECT_EQ(GetIniValue(rewritten, "Starbarrow", "ScoreBoard", "board_url"), "http://new");
  EXPECT_EQ(rewritten.find("board.example.org"), std::string::npos);
  EXPECT_EQ(GetIniValue(rewritten, "Other", "ScoreBoard", "board_url"), "http://wrong/");
}

TEST(SettingsStore, WritesTheFileUnderItsFolder) {
  test::TempDir dir;
  const auto file = dir.path() / "config" / "starbarrow" / "settings.ini";
  ASSERT_TRUE(WriteIniSetting(file, "KVZ31P", "Settings", "JoystickMode", "1"));
  ASSERT_TRUE(WriteIniSetting(file, "KVZ31P", "Settings", "ControllerMode", "0"));
  EXPECT_EQ(ReadWholeFile(file), std::optional<std::vector<uint8_t>>(std::vector<uint8_t>{
                                     [] {
                                       const std::string s = "[KVZ31P/Settings]\nJoystickMode=1\nControllerMode=0\n";
                                       return std::vector<uint8_t>(s.begin(), s.end());
                                     }()}));
}

}  // namespace
}  // namespace sb
