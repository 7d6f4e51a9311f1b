#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>

#include "game/settings.h"
#include "platform/key_map.h"
#include "platform/player_file.h"
#include "platform/score_codec.h"
#include "support/sim_game.h"
#include "support/temp_dir.h"

namespace sb {
namespace {

int16_t At(const std::vector<uint8_t>& bytes, size_t offset) {
  return static_cast<int16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::vector<uint8_t> Hex(std::initializer_list<const char*> parts) {
  std::vector<uint8_t> out;
  for (const char* part : parts) {
    for (const char* p = part; p[0] && p[1]; p += 2) out.push_back(static_cast<uint8_t>(std::stoi(std::string(p, 2), nullptr, 16)));
  }
  return out;
}

// Both files written by hand from their layouts, every field a value of its
// own, so that fields swapped, widened, or stored in another byte order show.
// The key map: per action a state flag (set: -1), the key 0x40 + a and the
// button 36 - a, each 16 bits little-endian.
const std::vector<uint8_t> kKeyMapFile = Hex({
    "ffff40002400", "000041002300", "000042002200", "000043002100", "ffff44002000", "000045001f00",
    "000046001e00", "000047001d00", "ffff48001c00", "000049001b00", "00004a001a00", "00004b001900",
    "ffff4c001800"});

// The player record: bytes, 16-bit integers (true is -1), 32-bit longs, texts
// with a 16-bit length before their characters; no padding.
const std::vector<uint8_t> kPlayerFile = Hex({
    "01",                                                        // intro heard
    "9bffffff36ffffffd1feffff6cfeffff07feffffa2fdffff3dfdffff",  // ambience -101, -202 ... -707
    "a9fbffff52f7fffffbf2ffffa4eeffff4deafffff6e5ffff9fe1ffff",  // music -1111, -2222 ... -7777
    "02",                                                        // background off
    "40e20100",                                                  // personal best 123456
    "ffff",                                                      // new best
    "040048617264",                                              // "Hard"
    "01", "03", "00",                                            // joystick control, third, digital
    "ffff",                                                      // a saved game
    "040034575033", "040034574e43", "05003144435858",            // level 7, wave 4, score 98765
    "040034584833", "040034575330", "040034574d52",              // energy 55, 12 missiles fired, 3 nukes
    "040034574d36", "0400354b5730", "040034574c4c",              // 2 vapor, rapid fire 1500, difficulty 1
    "040035394a4f", "040034574f49",                              // turbo 800, 6 shields
    "070032383231343238"});                                      // encoded best "2821428"

TEST(KeyMap, TheKnownFileReadsAndWritesBackByteForByte) {
  std::vector<std::string> problems;
  ActionTable table = DecodeKeyMap(kKeyMapFile, problems);
  EXPECT_TRUE(problems.empty());
  for (int a = 0; a < kActionCount; ++a) {
    EXPECT_EQ(table[a].key, 0x40 + a) << a;
    EXPECT_EQ(table[a].button, 36 - a) << a;
    EXPECT_FALSE(table[a].active) << "a saved state flag means nothing on load";
    table[a].active = a % 4 == 0;
  }
  EXPECT_EQ(EncodeKeyMap(table), kKeyMapFile);
}

TEST(PlayerFile, TheKnownFileReadsAndWritesBackByteForByte) {
  const DecodedPlayerFile read = DecodePlayerFile(kPlayerFile);
  EXPECT_TRUE(read.problems.empty());
  const PlayerRecord& r = read.record;
  EXPECT_EQ(r.introHeard, 1);
  EXPECT_EQ(r.ambienceVolumes, (std::array<int32_t, 7>{-101, -202, -303, -404, -505, -606, -707}));
  EXPECT_EQ(r.musicVolumes, (std::array<int32_t, 7>{-1111, -2222, -3333, -4444, -5555, -6666, -7777}));
  EXPECT_EQ(r.backgroundMode, 2);
  EXPECT_EQ(r.personalBest, 123456);
  EXPECT_TRUE(r.newBest);
  EXPECT_EQ(r.bestDifficulty, "Hard");
  EXPECT_EQ(r.controllerMode, 1);
  EXPECT_EQ(r.preferredJoystick, 3);
  EXPECT_EQ(r.joystickMode, 0);
  EXPECT_TRUE(r.savedGame);
  const std::array<int64_t, kSavedGameFields> saved = {7, 4, 98765, 55, 12, 3, 2, 1500, 1, 800, 6};
  for (int i = 0; i < kSavedGameFields; ++i) EXPECT_EQ(DecodeStored(r.saved[i], 0, INT32_MAX), saved[i]) << i;
  EXPECT_EQ(r.encodedBest, "2821428");
  EXPECT_EQ(EncodePlayerFile(r), kPlayerFile);
}

TEST(KeyMap, DefaultsAreSeventyEightBytesOfActionRecords) {
  const auto bytes = EncodeKeyMap(DefaultActionTable());
  ASSERT_EQ(bytes.size(), kKeyMapBytes);
  EXPECT_EQ(At(bytes, 2), 203);  // move left: left arrow
  EXPECT_EQ(At(bytes, 8), 205);  // move right: right arrow
  EXPECT_EQ(At(bytes, 4), 34);   // move left: stick left
  EXPECT_EQ(At(bytes, 6 * 12 + 2), 31);  // score report: S
  for (int a = 0; a < kActionCount; ++a) EXPECT_EQ(At(bytes, 6 * a), 0) << "state flags are saved clear";
}

TEST(KeyMap, ReadsBackAndKeepsDefaultsForWhatIsDamaged) {
  ActionTable table = DefaultActionTable();
  table[2].key = dik::RCONTROL;
  table[4].button = 9;
  table[0].active = true;
  std::vector<std::string> problems;
  EXPECT_EQ(EncodeKeyMap(DecodeKeyMap(EncodeKeyMap(table), problems))[2 + 12], dik::RCONTROL);
  EXPECT_TRUE(problems.empty());

  auto bytes = EncodeKeyMap(table);
  bytes[6 * 1 + 2] = 0x00;  // action 1's key: 0x7F00, no key at all
  bytes[6 * 1 + 3] = 0x7F;
  bytes[6 * 3 + 4] = 99;  // action 3's button
  bytes.resize(6 * 10);   // actions 10..12 missing
  const ActionTable read = DecodeKeyMap(bytes, problems);
  EXPECT_EQ(read[1].key, dik::RIGHT);
  EXPECT_EQ(read[3].button, kDefaultButtons[3]);
  EXPECT_EQ(read[2].key, dik::RCONTROL);
  EXPECT_EQ(read[12].key, dik::S);
  EXPECT_EQ(problems.size(), 3u);
}

PlayerRecord FullRecord() {
  PlayerRecord r;
  r.introHeard = 1;
  r.ambienceVolumes = {0, -250, -500, 0, 0, 0, -2500};
  r.musicVolumes = {0, -2500, 0, -750, 0, 0, -250};
  r.backgroundMode = 1;
  r.personalBest = 123456;
  r.newBest = true;
  r.bestDifficulty = "Insane";
  r.controllerMode = 1;
  r.preferredJoystick = 2;
  r.joystickMode = 1;
  r.savedGame = true;
  for (int i = 0; i < kSavedGameFields; ++i) r.saved[i] = std::string(1, 'K').append(std::to_string(i));
  r.encodedBest = "2821428";  // EncodeScore(123456)
  return r;
}

void ExpectSameRecord(const PlayerRecord& a, const PlayerRecord& b) {
  EXPECT_EQ(EncodePlayerFile(a), EncodePlayerFile(b));
}

TEST(PlayerFile, RoundTripsEveryField) {
  const PlayerRecord r = FullRecord();
  const auto bytes = EncodePlayerFile(r);
  const DecodedPlayerFile read = DecodePlayerFile(bytes);
  EXPECT_TRUE(read.problems.empty());
  EXPECT_TRUE(read.haveEncodedBest);
  ExpectSameRecord(read.record, r);
  // Texts carry a 16-bit length before their characters: "Insane" follows the
  // byte, 14 longs, byte, long and integer.
  const size_t at = 1 + 28 + 28 + 1 + 4 + 2;
  EXPECT_EQ(At(bytes, at), 6);
  EXPECT_EQ(std::string(bytes.begin() + at + 2, bytes.begin() + at + 8), "Insane");
}

// However a file is damaged, reading it never fails: what can be read is
// kept, the rest takes a first run's values, and the damage is reported.
TEST(PlayerFile, DamagedFilesKeepWhatIsReadable) {
  const auto good = EncodePlayerFile(FullRecord());
  const size_t difficultyAt = 1 + 28 + 28 + 1 + 4 + 2;
  const size_t encodedBestAt = good.size() - 2 - 7;

  auto absurdLength = good;
  absurdLength[difficultyAt] = 0xFF;
  absurdLength[difficultyAt + 1] = 0x7F;
  auto truncatedBest = good;
  truncatedBest.resize(encodedBestAt + 1);
  auto oversized = good;
  oversized.insert(oversized.end(), 5000, 0xAA);
  auto badModes = good;
  badModes[1 + 28 + 28] = 7;  // background mode

  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    bool savedGameKept;
    bool encodedBestRead;
  } cases[] = {{"empty", {}, false, false},
               {"one byte", {1}, false, false},
               {"absurd text length", absurdLength, false, false},
               {"cut inside the encoded best", truncatedBest, true, false},
               {"stray bytes after the record", oversized, true, true},
               {"impossible background mode", badModes, true, true},
               {"garbage", std::vector<uint8_t>(300, 0xFF), false, false}};
  for (const auto& c : cases) {
    const DecodedPlayerFile read = DecodePlayerFile(c.bytes);
    EXPECT_FALSE(read.problems.empty()) << c.what;
    EXPECT_EQ(read.record.savedGame, c.savedGameKept) << c.what;
    EXPECT_EQ(read.haveEncodedBest, c.encodedBestRead) << c.what;
    EXPECT_LE(read.record.backgroundMode, 2) << c.what;
    EXPECT_LE(read.record.controllerMode, 1) << c.what;
    if (c.savedGameKept) {
      EXPECT_EQ(read.record.saved[10], "K10") << c.what;
    }
  }
}

// The first run on a fresh player folder: both files are written from the
// shipped key map and read back to the same values.
TEST(PlayerFiles, AFreshFolderGetsBothFiles) {
  test::TempDir home;
  SimOptions options;
  options.home = home.path();
  options.untilMs = 30000;
  const SimResult result = RunSimulation(options);
  EXPECT_EQ(test::Events(result.lines, {"write"}),
            (std::vector<std::string>{"write sbinfo.sbr", "write keymap.sbk"}));
  const auto keymap = ReadWholeFile(home.path() / "keymap.sbk");
  ASSERT_TRUE(keymap);
  EXPECT_EQ(*keymap, EncodeKeyMap(DefaultActionTable()));
  const auto info = ReadWholeFile(home.path() / "sbinfo.sbr");
  ASSERT_TRUE(info);
  const DecodedPlayerFile read = DecodePlayerFile(*info);
  EXPECT_TRUE(read.problems.empty());
  ExpectSameRecord(read.record, PlayerRecord{});
}

TEST(PlayerFiles, ASecondRunReadsWithoutWriting) {
  test::TempDir home;
  SimOptions options;
  options.home = home.path();
  options.untilMs = 30000;
  options.script = test::Tap(1500, dik::ESCAPE);  // leaves the main menu
  RunSimulation(options);
  const SimResult again = RunSimulation(options);
  EXPECT_TRUE(test::Events(again.lines, {"write"}).empty());
  EXPECT_EQ(test::Events(again.lines, {"exit"}), (std::vector<std::string>{"exit code=0"}));
}

// A damaged player file leaves the program running and the key map as it was;
// what could still be read (here the saved game and the best score) survives
// the next save, and the damaged bytes are kept aside.
TEST(PlayerFiles, ADamagedPlayerFileLosesNothingItCouldRead) {
  test::TempDir home;
  ActionTable table = DefaultActionTable();
  table[kLaser].key = dik::RCONTROL;
  const auto keymap = EncodeKeyMap(table);
  PlayerRecord record = FullRecord();
  record.personalBest = 4321;
  auto info = EncodePlayerFile(record);
  info.resize(info.size() - 3);  // cut inside the encoded best
  home.Write("sbinfo.sbr", info);
  home.Write("keymap.sbk", keymap);

  SimOptions options;
  options.home = home.path();
  test::SimGame sim(options);
  LoadPlayerFiles(sim.game);
  const std::string err = sim.Reports();
  EXPECT_NE(err.find("sbinfo.sbr"), std::string::npos);
  EXPECT_EQ(sim.game.player.personalBest, 4321);
  EXPECT_TRUE(sim.game.player.savedGame);
  EXPECT_EQ(sim.game.input.actions[kLaser].key, dik::RCONTROL);
  EXPECT_EQ(ReadWholeFile(home.path() / "keymap.sbk"), keymap);
  EXPECT_EQ(ReadWholeFile(home.path() / "sbinfo.sbr.damaged"), info);

  SaveSettings(sim.game);
  const DecodedPlayerFile saved = DecodePlayerFile(*ReadWholeFile(home.path() / "sbinfo.sbr"));
  EXPECT_TRUE(saved.problems.empty());
  EXPECT_EQ(saved.record.saved, record.saved);
  EXPECT_EQ(sim.game.player.personalBest, 4321) << "read back from the encoded text";
}

TEST(PlayerFiles, AGarbledPlayerFileStillLetsTheGameRun) {
  test::TempDir home;
  home.Write("sbinfo.sbr", std::vector<uint8_t>(40, 0xFF));
  home.Write("keymap.sbk", EncodeKeyMap(DefaultActionTable()));
  SimOptions options;
  options.home = home.path();
  options.untilMs = 30000;
  options.script = test::Tap(1500, dik::ESCAPE);  // leaves the main menu
  const SimResult result = RunSimulation(options);
  EXPECT_EQ(test::Events(result.lines, {"play", "exit"}),
            (std::vector<std::string>{"play sounds/sb.wav", "play system/menu/crickets.wav",
                                      "play sounds/music/music5.wav", "play system/menu/select.wav",
                                      "play system/menu/exiting.wav", "exit code=0"}));
  EXPECT_EQ(ReadWholeFile(home.path() / "keymap.sbk"), EncodeKeyMap(DefaultActionTable()));
}

// Missing from the player folder on a later run, or from the program folder
// on the first: the invalid beep, then the exit prompt, and no file written.
TEST(PlayerFiles, AMissingKeyMapBeepsAndLeadsToTheExit) {
  for (const bool firstRun : {false, true}) {
    test::TempDir home;
    SimOptions options;
    options.home = home.path();
    options.untilMs = 30000;
    if (firstRun) {
      options.missing = {"keymap.sbk"};
    } else {
      home.Write("sbinfo.sbr", EncodePlayerFile(PlayerRecord{}));
    }
    const SimResult result = RunSimulation(options);
    const std::string err = test::Reports(result.lines);
    EXPECT_NE(err.find(firstRun ? "missing from the program folder" : "missing from the player folder"),
              std::string::npos)
        << err;
    EXPECT_EQ(test::Events(result.lines, {"play", "exit", "write"}),
              (std::vector<std::string>{"play sounds/invalid.wav", "play system/menu/exiting.wav", "exit code=1"}))
        << "first run: " << firstRun;
    EXPECT_FALSE(ReadWholeFile(home.path() / "keymap.sbk")) << "nothing invents a key map behind the player's back";
  }
}

// A player file that is there but cannot be read is not a first run: it is
// told and heard, the game plays with a first run's values and the player's
// own key map, and neither file is written over, by start-up or by a save.
TEST(PlayerFiles, AnUnreadablePlayerFileIsNeitherAFirstRunNorWrittenOver) {
  struct Case {
    const char* name;
    std::function<void(const test::TempDir&)> make;
    int error;
  };
  const std::vector<Case> cases = {
      {"a folder where the file should be",
       [](const test::TempDir& home) { std::filesystem::create_directories(home.path() / "sbinfo.sbr"); }, EISDIR},
      {"a file far larger than a player file",
       [](const test::TempDir& home) {
         home.Write("sbinfo.sbr", EncodePlayerFile(FullRecord()));
         std::filesystem::resize_file(home.path() / "sbinfo.sbr", kMaxFolderFileBytes + 1);
       },
       EFBIG},
      {"a file its reader may not read",
       [](const test::TempDir& home) {
         home.Write("sbinfo.sbr", EncodePlayerFile(FullRecord()));
         std::filesystem::permissions(home.path() / "sbinfo.sbr", std::filesystem::perms::none);
       },
       EACCES},
  };
  ActionTable table = DefaultActionTable();
  table[kLaser].key = dik::RCONTROL;
  const auto keymap = EncodeKeyMap(table);
  for (const Case& c : cases) {
    test::TempDir home;
    c.make(home);
    home.Write("keymap.sbk", keymap);
    const auto info = ReadWholeFile(home.path() / "sbinfo.sbr");
    if (info) continue;  // the superuser reads any file: nothing to show
    const auto size = std::filesystem::is_regular_file(home.path() / "sbinfo.sbr")
                          ? std::filesystem::file_size(home.path() / "sbinfo.sbr")
                          : 0;

    SimOptions options;
    options.home = home.path();
    test::SimGame sim(options);
    LoadPlayerFiles(sim.game);
    sim.game.player.personalBest = 100;
    EXPECT_FALSE(SaveSettings(sim.game)) << c.name;
    const std::string told = sim.Reports();

    EXPECT_NE(told.find(std::string("sbinfo.sbr in the player folder cannot be read: ") + std::strerror(c.error)),
              std::string::npos)
        << c.name << ": " << told;
    EXPECT_NE(told.find("cannot save sbinfo.sbr"), std::string::npos) << c.name << ": " << told;
    EXPECT_EQ(sim.Log({"write", "play"}), (std::vector<std::string>{"play sounds/invalid.wav", "play sounds/invalid.wav",
                                                                     "write keymap.sbk"}))
        << c.name << ": heard at start and at the save, and only the key map written";
    EXPECT_EQ(sim.game.input.actions[kLaser].key, dik::RCONTROL) << c.name << ": the player's own keys";
    EXPECT_EQ(sim.game.player.savedGame, false) << c.name << ": a first run's values";
    EXPECT_EQ(ReadWholeFile(home.path() / "keymap.sbk"), keymap) << c.name;
    EXPECT_EQ(std::filesystem::is_regular_file(home.path() / "sbinfo.sbr")
                  ? std::filesystem::file_size(home.path() / "sbinfo.sbr")
                  : 0,
              size)
        << c.name << ": the player file as it was";
    EXPECT_FALSE(std::filesystem::exists(home.path() / "sbinfo.sbr.damaged")) << c.name;
  }
}

// The whole program on an unreadable player file: the refusal is heard to
// its end, not cut off by the start-up sounds, and the game starts.
TEST(PlayerFiles, TheRefusalAtStartIsHeardBeforeTheTitle) {
  for (const bool firstRun : {true, false}) {
    test::TempDir dir;
    SimOptions options;
    if (firstRun) {
      dir.Write("player", {1});  // a file where the player folder should be: nothing can be saved
      options.home = dir.path() / "player";
    } else {
      std::filesystem::create_directories(dir.path() / "sbinfo.sbr");
      dir.Write("keymap.sbk", EncodeKeyMap(DefaultActionTable()));
      options.home = dir.path();
    }
    options.untilMs = 30000;
    options.lengths["sounds/invalid.wav"] = 300;
    options.script = test::Tap(1500, dik::ESCAPE);  // leaves the main menu
    const SimResult result = RunSimulation(options);
    int started = -1;
    for (const std::string& line : result.lines) {
      const test::LogLine l = test::ParseLogLine(line);
      if (l.rest.rfind("sounds/invalid.wav", 0) != 0) continue;
      if (l.op == "play" && started < 0) started = l.ms;
      if (l.op == "stop" || l.op == "free") {
        EXPECT_GE(l.ms - started, 300) << "first run: " << firstRun << ": cut off by " << line;
      }
    }
    EXPECT_GE(started, 0) << "first run: " << firstRun;
    const auto title = std::find_if(result.lines.begin(), result.lines.end(),
                                    [](const std::string& line) { return line.find(" play sounds/sb.wav") != std::string::npos; });
    ASSERT_NE(title, result.lines.end());
    EXPECT_GE(test::ParseLogLine(*title).ms - started, 300) << "the title waits for the refusal to end";
    EXPECT_EQ(test::Events(result.lines, {"exit"}), (std::vector<std::string>{"exit code=0"})) << firstRun;
  }
}

TEST(PlayerFiles, TheBestScoreIsStoredDisguisedAndTamperingZeroesIt) {
  test::SimGame sim;
  LoadPlayerFiles(sim.game);
  sim.game.player.personalBest = 100;
  SaveSettings(sim.game);
  EXPECT_EQ(sim.game.player.encodedBest, "230952");
  EXPECT_EQ(sim.game.player.personalBest, 100);

  // Not a whole number; whole but below 0 ("15" decodes to -10897); beyond a long.
  for (const char* text : {"230953", "15", "45097385460"}) {
    PlayerRecord tampered = sim.game.player;
    tampered.encodedBest = text;
    tampered.personalBest = 999999;
    sim.host.Files(Folder::Player).Write("sbinfo.sbr", EncodePlayerFile(tampered));
    LoadSettings(sim.game);
    EXPECT_EQ(sim.game.player.personalBest, 0) << text;
  }

  sim.game.player.personalBest = -3;
  SaveSettings(sim.game);
  EXPECT_EQ(sim.game.player.encodedBest, "");
  EXPECT_EQ(sim.game.player.personalBest, 0);
}

TEST(PlayerFiles, SettingsStoreValuesAreLogged) {
  test::SimGame sim;
  WriteSetting(sim.game, "JoystickMode", "1");
  EXPECT_EQ(sim.host.GetLog().Lines().back(), "0 settings KVZ31P/Settings/JoystickMode=1");
}

}  // namespace
}  // namespace sb
