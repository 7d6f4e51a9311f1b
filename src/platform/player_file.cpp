#include "platform/player_file.h"

#include <optional>

namespace sb {

namespace {

class Writer {
 public:
  void Byte(uint8_t v) { out_.push_back(v); }
  void Int16(int16_t v) {
    const auto u = static_cast<uint16_t>(v);
    Byte(static_cast<uint8_t>(u & 0xFF));
    Byte(static_cast<uint8_t>(u >> 8));
  }
  void Long(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) Byte(static_cast<uint8_t>((u >> (8 * i)) & 0xFF));
  }
  void Bool(bool v) { Int16(v ? -1 : 0); }
  void Text(const std::string& s) {
    const size_t n = std::min<size_t>(s.size(), 0x7FFF);
    Int16(static_cast<int16_t>(n));
    out_.insert(out_.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
  }
  std::vector<uint8_t> Take() { return std::move(out_); }

 private:
  std::vector<uint8_t> out_;
};

// Reads fields in order; the first field that does not fit ends the reading.
class Reader {
 public:
  explicit Reader(const std::vector<uint8_t>& in) : in_(in) {}

  std::optional<uint8_t> Byte() {
    if (at_ + 1 > in_.size()) return std::nullopt;
    return in_[at_++];
  }
  std::optional<int16_t> Int16() {
    if (at_ + 2 > in_.size()) return std::nullopt;
    const auto v = static_cast<uint16_t>(in_[at_] | in_[at_ + 1] << 8);
    at_ += 2;
    return static_cast<int16_t>(v);
  }
  std::optional<int32_t> Long() {
    if (at_ + 4 > in_.size()) return std::nullopt;
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(in_[at_ + i]) << (8 * i);
    at_ += 4;
    return static_cast<int32_t>(v);
  }
  std::optional<std::string> Text(size_t maxLength) {
    const size_t start = at_;
    const auto length = Int16();
    if (!length) return std::nullopt;
    if (*length < 0 || static_cast<size_t>(*length) > maxLength || at_ + *length > in_.size()) {
      at_ = start;
      return std::nullopt;
    }
    std::string s(in_.begin() + static_cast<std::ptrdiff_t>(at_),
                  in_.begin() + static_cast<std::ptrdiff_t>(at_ + *length));
    at_ += static_cast<size_t>(*length);
    return s;
  }
  size_t Left() const { return in_.size() - at_; }

 private:
  const std::vector<uint8_t>& in_;
  size_t at_ = 0;
};

// No field the game writes is longer than this; a longer one is damage.
constexpr size_t kLongestText = 64;

bool ValidVolume(int32_t v) { return v >= -10000 && v <= 0; }

}  // namespace

std::vector<uint8_t> EncodePlayerFile(const PlayerRecord& r) {
  Writer w;
  w.Byte(r.introHeard);
  for (int32_t v : r.ambienceVolumes) w.Long(v);
  for (int32_t v : r.musicVolumes) w.Long(v);
  w.Byte(r.backgroundMode);
  w.Long(r.personalBest);
  w.Bool(r.newBest);
  w.Text(r.bestDifficulty);
  w.Byte(r.controllerMode);
  w.Byte(r.preferredJoystick);
  w.Byte(r.joystickMode);
  w.Bool(r.savedGame);
  for (const std::string& s : r.saved) w.Text(s);
  w.Text(r.encodedBest);
  return w.Take();
}

DecodedPlayerFile DecodePlayerFile(const std::vector<uint8_t>& bytes) {
  DecodedPlayerFile out;
  PlayerRecord& r = out.record;
  Reader in(bytes);
  auto fail = [&](const char* field) {
    out.problems.push_back(std::string("cannot read the ") + field);
    return out;
  };
  auto check = [&](bool ok, const char* what) {
    if (!ok) out.problems.push_back(std::string("ignored an impossible ") + what);
    return ok;
  };

  const auto intro = in.Byte();
  if (!intro) return fail("intro flag");
  r.introHeard = *intro != 0 ? 1 : 0;
  for (auto* table : {&r.ambienceVolumes, &r.musicVolumes}) {
    std::array<int32_t, 7> read{};
    for (int32_t& v : read) {
      const auto value = in.Long();
      if (!value) return fail("track volumes");
      v = *value;
    }
    for (size_t i = 0; i < read.size(); ++i) {
      if (check(ValidVolume(read[i]), "track volume")) (*table)[i] = read[i];
    }
  }
  const auto mode = in.Byte();
  if (!mode) return fail("background mode");
  if (check(*mode <= 2, "background mode")) r.backgroundMode = *mode;
  const auto best = in.Long();
  if (!best) return fail("best score");
  if (check(*best >= 0, "best score")) r.personalBest = *best;
  const auto newBest = in.Int16();
  if (!newBest) return fail("new-best flag");
  r.newBest = *newBest != 0;
  const auto difficulty = in.Text(kLongestText);
  if (!difficulty) return fail("best score's difficulty");
  r.bestDifficulty = *difficulty;
  const auto controller = in.Byte();
  const auto preferred = controller ? in.Byte() : std::nullopt;
  const auto joystickMode = preferred ? in.Byte() : std::nullopt;
  if (!joystickMode) return fail("controller settings");
  if (check(*controller <= 1, "controller mode")) r.controllerMode = *controller;
  if (check(*preferred <= 10, "joystick choice")) r.preferredJoystick = *preferred;
  if (check(*joystickMode <= 1, "joystick mode")) r.joystickMode = *joystickMode;
  const auto saved = in.Int16();
  if (!saved) return fail("saved-game flag");
  std::array<std::string, kSavedGameFields> fields{};
  for (std::string& field : fields) {
    const auto text = in.Text(kLongestText);
    if (!text) return fail("saved game");
    field = *text;
  }
  r.savedGame = *saved != 0;
  r.saved = fields;
  const auto encoded = in.Text(kLongestText);
  if (!encoded) return fail("encoded best score");
  r.encodedBest = *encoded;
  out.haveEncodedBest = true;
  if (in.Left() > 0) out.problems.push_back(std::to_string(in.Left()) + " stray bytes at the end");
  return out;
}

}  // namespace sb
