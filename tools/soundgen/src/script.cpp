#include "script.h"

#include <fstream>
#include <sstream>

namespace sg {

namespace {

std::string Trimmed(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return {};
  const size_t b = s.find_last_not_of(" \t\r");
  return s.substr(a, b - a + 1);
}

bool StartsWith(const std::string& s, const char* head) { return s.rfind(head, 0) == 0; }

}  // namespace

Script ParseScript(std::string_view text, std::string_view source_name) {
  Script script;
  std::istringstream in{std::string(text)};
  std::string raw;
  int line = 0;
  auto fail = [&](const std::string& why) {
    throw ManifestError(std::string(source_name) + ":" + std::to_string(line) + ": " + why);
  };
  while (std::getline(in, raw)) {
    ++line;
    const std::string s = Trimmed(raw);
    if (!s.empty() && s.front() == '#') continue;
    ScriptStep step;
    if (s.empty()) {
      step.kind = ScriptStep::kPause;
      step.seconds = 0.5;
    } else if (StartsWith(s, "pause:")) {
      step.kind = ScriptStep::kPause;
      try {
        step.seconds = std::stod(s.substr(6));
      } catch (const std::exception&) {
        fail("pause needs seconds, as 'pause: 1.5'");
      }
      if (!(step.seconds > 0.0 && step.seconds < 60.0)) fail("pause must be between 0 and 60 seconds");
    } else if (StartsWith(s, "play:")) {
      step.kind = ScriptStep::kPlay;
      try {
        step.sound = ParseCall(s.substr(5));
      } catch (const std::exception& e) {
        fail(e.what());
      }
    } else {
      step.kind = ScriptStep::kSay;
      step.text = s;
      step.pause_after = 0.3;
    }
    script.steps.push_back(std::move(step));
  }
  bool speaks = false;
  for (const ScriptStep& s : script.steps) speaks = speaks || s.kind == ScriptStep::kSay;
  if (!speaks) throw ManifestError(std::string(source_name) + ": the script says nothing");
  return script;
}

Script LoadScript(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ManifestError("cannot read script " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return ParseScript(text.str(), path.filename().string());
}

}  // namespace sg
