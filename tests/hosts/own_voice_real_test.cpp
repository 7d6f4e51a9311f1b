// The player's own voice through the real host: a private speech-dispatcher
// (scripts/speech-sandbox: its own runtime folder and socket, the espeak-ng
// module, a sound output nobody hears) says a prompt and a number, and the
// end of each comes back through libspeechd's callbacks.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>

#include "audio/captions.h"
#include "game/game.h"
#include "hosts/sdl_host.h"
#include "sound/own_voice.h"
#include "sound/speech.h"
#include "support/host_options.h"
#include "support/temp_dir.h"

namespace sb {
namespace {

// Starts the private speech-dispatcher and points this process at it; ends it
// when the test is over.
class SpeechSandbox {
 public:
  explicit SpeechSandbox(const std::filesystem::path& dir) : dir_(dir) {
    const std::string command = std::string(SB_SOURCE_DIR) + "/scripts/speech-sandbox start " + dir.string() + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return;
    std::string out;
    char chunk[512];
    while (size_t n = fread(chunk, 1, sizeof chunk, pipe)) out.append(chunk, n);
    const int status = pclose(pipe);
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    message_ = out;
    if (exitCode_ != 0) return;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
      const auto eq = line.find('=');
      if (eq != std::string::npos) setenv(line.substr(0, eq).c_str(), line.substr(eq + 1).c_str(), 1);
    }
  }
  ~SpeechSandbox() {
    const std::string command = std::string(SB_SOURCE_DIR) + "/scripts/speech-sandbox stop " + dir_.string();
    if (std::system(command.c_str()) != 0) ADD_FAILURE() << "the private speech-dispatcher did not stop";
    unsetenv("SPEECHD_ADDRESS");
  }
  int ExitCode() const { return exitCode_; }
  const std::string& Message() const { return message_; }

 private:
  std::filesystem::path dir_;
  int exitCode_ = -1;
  std::string message_;
};

// What the game reports, kept for the test instead of going to stderr.
class WatchedHost : public SdlHost {
 public:
  using SdlHost::SdlHost;
  void Report(std::string_view text) override { reports += std::string(text) + "\n"; }
  std::string reports;
};

TEST(OwnVoiceOnTheRealHost, SaysAPromptAndANumberAndHearsBothEnd) {
  test::TempDir dir;
  const SpeechSandbox sandbox(dir.path() / "speech");
  if (sandbox.ExitCode() == 77) GTEST_SKIP() << sandbox.Message();
  ASSERT_EQ(sandbox.ExitCode(), 0) << sandbox.Message();

  WatchedHost host(test::HostOptionsIn(dir.path()));
  // A prompt's words straight through the host: busy until its end comes.
  ASSERT_TRUE(host.Speak(*CaptionFor("sounds/d_level.wav"), true));
  EXPECT_TRUE(host.SpeechBusy());
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (host.SpeechBusy() && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_FALSE(host.SpeechBusy()) << "no end of speech came";

  // A number through the game's own routine, which waits for its end; a wait
  // that gave up, or a voice that was lost, would be reported.
  Game game(host);
  game.speech.chosen = Voice::PlayersOwn;
  SpeakNumber(game, 12345);
  EXPECT_FALSE(host.SpeechBusy());
  EXPECT_TRUE(OwnVoiceOn(game));
  EXPECT_EQ(host.reports, "");
}

}  // namespace
}  // namespace sb
