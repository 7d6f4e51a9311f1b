#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "hosts/file_store.h"
#include "hosts/settings_store.h"
#include "support/temp_dir.h"

namespace sb {
namespace {

size_t Entries(const std::filesystem::path& dir) {
  size_t entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++entries;
  return entries;
}

TEST(FileStore, WritesWholeFilesAndLeavesNoTemporaries) {
  test::TempDir dir;
  DiskFolder folder(dir.path() / "player");
  ASSERT_TRUE(folder.Write("sbinfo.sbr", {1, 2, 3}));
  ASSERT_TRUE(folder.Write("sbinfo.sbr", {4, 5}));
  EXPECT_EQ(folder.Read("sbinfo.sbr"), (std::vector<uint8_t>{4, 5}));
  EXPECT_FALSE(folder.Read("missing.sbr"));
  EXPECT_EQ(Entries(dir.path() / "player"), 1u);
}

// The disk fills up part way through a save, after any byte: the file keeps
// its old bytes and no temporary file is left behind.
TEST(FileStore, AFailedWriteKeepsTheOldFile) {
  test::TempDir dir;
  DiskFolder folder(dir.path());
  ASSERT_TRUE(folder.Write("keymap.sbk", {9, 9}));
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  const auto oldSignal = signal(SIGXFSZ, SIG_IGN);
  for (rlim_t room = 0; room < 78; ++room) {
    rlimit small = old;
    small.rlim_cur = room;  // no file may grow past this many bytes
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = folder.Write("keymap.sbk", std::vector<uint8_t>(78, 1));
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(written) << room;
    EXPECT_EQ(folder.Read("keymap.sbk"), (std::vector<uint8_t>{9, 9})) << room;
    EXPECT_EQ(Entries(dir.path()), 1u) << room;
  }
  signal(SIGXFSZ, oldSignal);
}

TEST(FileStore, NewFilesFollowTheUmask) {
  test::TempDir dir;
  DiskFolder folder(dir.path());
  for (const mode_t mask : {mode_t{022}, mode_t{077}}) {
    const mode_t old = umask(mask);
    const std::string name = "file" + std::to_string(mask);
    const bool written = folder.Write(name, {1});
    umask(old);
    ASSERT_TRUE(written);
    struct stat st {};
    ASSERT_EQ(stat((dir.path() / name).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask) << std::oct << mask;
  }
}

// A crash between creating a temporary file and renaming it leaves the
// temporary behind; the next write to the folder clears it away, but never
// one that a running program is still writing.
TEST(FileStore, TemporariesLeftByACrashAreRemovedOnTheNextWrite) {
  test::TempDir dir;
  const pid_t child = fork();
  if (child == 0) _exit(0);
  ASSERT_GT(child, 0);
  waitpid(child, nullptr, 0);  // a writer that is gone
  const std::string stale = "sbinfo.sbr.tmp-" + std::to_string(child) + "-0";
  const std::string live = "keymap.sbk.tmp-1-3";  // the first process never ends
  dir.Write(stale, {1, 2});
  dir.Write(live, {3});
  dir.Write("notes.tmp-x", {4});  // not one of ours
  DiskFolder folder(dir.path());
  ASSERT_TRUE(folder.Write("keymap.sbk", {5}));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / stale));
  EXPECT_TRUE(std::filesystem::exists(dir.path() / live));
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "notes.tmp-x"));
  EXPECT_EQ(Entries(dir.path()), 3u);
}

// Only regular files are read: a folder, a pipe or a device where a file
// should be reads as no file at all, and never blocks or runs forever.
TEST(FileStore, ReadsOnlyRegularFiles) {
  test::TempDir dir;
  std::filesystem::create_directory(dir.path() / "folder");
  ASSERT_EQ(mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
  dir.Write("big", std::vector<uint8_t>(100, 7));
  EXPECT_FALSE(ReadWholeFile(dir.path() / "folder"));
  EXPECT_FALSE(ReadWholeFile(dir.path() / "pipe"));
  EXPECT_FALSE(ReadWholeFile("/dev/zero"));
  EXPECT_FALSE(ReadWholeFile(dir.path() / "big", 99)) << "larger than asked for";
  EXPECT_EQ(ReadWholeFile(dir.path() / "big", 100), std::vector<uint8_t>(100, 7));
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

std::string Text(const std::filesystem::path& file) {
  const auto bytes = ReadWholeFile(file);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("(unreadable)");
}

// The answers a reader needs to tell a first run from a file it must not touch.
TEST(FileStore, TellsAMissingFileFromOneThatCannotBeRead) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.path() / "folder");
  dir.Write("huge", {});
  std::filesystem::resize_file(dir.path() / "huge", kMaxFolderFileBytes + 1);
  DiskFolder folder(dir.path());
  struct Case {
    const char* name;
    int error;
  };
  for (const Case& c : {Case{"absent", ENOENT}, Case{"folder", EISDIR}, Case{"huge", EFBIG}}) {
    const FileRead read = folder.Read(c.name);
    EXPECT_FALSE(read) << c.name;
    EXPECT_EQ(read.error, c.error) << c.name;
    EXPECT_EQ(read.Missing(), c.error == ENOENT) << c.name;
  }
  MemoryFolder memory;
  EXPECT_TRUE(memory.Read("absent").Missing());
}

// A write goes where the player keeps the file and keeps what the player set.
TEST(FileStore, WritesThroughALinkKeepsTheModeAndLeavesAReadOnlyFile) {
  test::TempDir dir;
  const auto real = dir.path() / "elsewhere" / "settings.ini";
  const auto link = dir.path() / "config" / "settings.ini";
  dir.Write("elsewhere/settings.ini", {'a'});
  std::filesystem::create_directories(link.parent_path());
  std::filesystem::create_symlink("../elsewhere/settings.ini", link);
  ::chmod(real.c_str(), 0640);

  ASSERT_TRUE(WriteFileAtomically(link, {'b'}));
  EXPECT_TRUE(std::filesystem::is_symlink(link)) << "the link stays a link";
  EXPECT_EQ(Text(real), "b");
  struct stat st{};
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  ::chmod(real.c_str(), 0444);
  errno = 0;
  EXPECT_FALSE(WriteFileAtomically(link, {'c'})) << "a file its owner made read-only is not replaced";
  EXPECT_EQ(errno, EACCES);
  EXPECT_EQ(Text(real), "b");
  EXPECT_EQ(Entries(real.parent_path()), 1u) << "no temporary left";
}

// A folder that cannot be made (here the kernel's own, as on a read-only file
// system) gives its own reason, not the missing folder's that follows from it.
TEST(FileStore, AFolderThatCannotBeMadeGivesItsOwnReason) {
  const std::filesystem::path dir = "/sys/starbarrow-test-folder";
  if (::mkdir(dir.c_str(), 0755) == 0) {
    ::rmdir(dir.c_str());
    GTEST_SKIP() << dir << " could be made here";
  }
  const int why = errno;
  errno = 0;
  EXPECT_FALSE(WriteFileAtomically(dir / "settings.ini", {'a'}));
  EXPECT_EQ(errno, why) << std::strerror(errno);
}

TEST(SettingsStore, KeepsEveryLineItDoesNotChangeByteForByte) {
  struct Case {
    const char* name;
    std::string before;
    std::string after;  // with HS set to 7 under [KVZ31P/Settings]
  };
  const Case cases[] = {
      {"Unix line breaks", "[KVZ31P/Settings]\nHS=1\n", "[KVZ31P/Settings]\nHS=7\n"},
      {"DOS line breaks", "[KVZ31P/Settings]\r\nHS=1\r\nX=2\r\n", "[KVZ31P/Settings]\r\nHS=7\r\nX=2\r\n"},
      {"doubled carriage returns", "# mine\r\r\n[KVZ31P/Settings]\r\r\nHS=1\r\r\n",
       "# mine\r\r\n[KVZ31P/Settings]\r\r\nHS=7\r\r\n"},
      {"a new entry takes the file's breaks", "[KVZ31P/Settings]\r\nX=2\r\n",
       "[KVZ31P/Settings]\r\nX=2\r\nHS=7\r\n"},
      {"a last line without a break", "[KVZ31P/Settings]\nX=2", "[KVZ31P/Settings]\nX=2\nHS=7\n"},
      {"a new section", "[A/B]\r\nK=v\r\n", "[A/B]\r\nK=v\r\n\r\n[KVZ31P/Settings]\r\nHS=7\r\n"},
  };
  for (const Case& c : cases) {
    const std::string once = SetIniValue(c.before, "KVZ31P", "Settings", "HS", "7");
    EXPECT_EQ(once, c.after) << c.name;
    EXPECT_EQ(SetIniValue(once, "KVZ31P", "Settings", "HS", "7"), once) << c.name << ": a second write changes nothing";
    EXPECT_EQ(GetIniValue(once, "KVZ31P", "Settings", "HS"), "7") << c.name;
  }
}

// Settings that cannot be read are the player's all the same: one value
// written over them would lose the rest.
TEST(SettingsStore, ASettingsFileThatCannotBeReadIsLeftAsItIs) {
  test::TempDir dir;
  const auto file = dir.path() / "settings.ini";
  std::filesystem::create_directories(file);  // a folder where the file should be
  errno = 0;
  EXPECT_FALSE(WriteIniSetting(file, "KVZ31P", "Settings", "HS", "7"));
  EXPECT_EQ(errno, EISDIR);
  EXPECT_TRUE(std::filesystem::is_directory(file));

  const auto big = dir.path() / "big.ini";
  dir.Write("big.ini", {'#'});
  std::filesystem::resize_file(big, kMaxFileBytes + 1);
  EXPECT_FALSE(WriteIniSetting(big, "KVZ31P", "Settings", "HS", "7"));
  EXPECT_EQ(std::filesystem::file_size(big), kMaxFileBytes + 1);
}

}  // namespace
}  // namespace sb
