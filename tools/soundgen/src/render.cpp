#include "render.h"

#include <algorithm>
#include <sstream>

#include "script.h"

namespace sg {

namespace {

constexpr int kEffectRate = 44100;
constexpr int kMusicRate = 32000;

double LoopBlendSeconds(double period) { return std::min(0.2, period / 3.0); }

double Loudest(const Sound& s) {
  double loudest = 0.0;
  for (const Buf& ch : s.channels) loudest = std::max(loudest, Peak(ch));
  return loudest;
}

void NormalizeTo(Sound& s, double peak) {
  const double loudest = Loudest(s);
  if (loudest <= 1e-9) return;
  for (Buf& ch : s.channels) Scale(ch, peak / loudest);
}

// Music is levelled by loudness, not by its peaks, so every level's piece
// sits equally far under the effects.
void LevelMusic(Sound& s, double rms_db, double peak_cap) {
  double rms = 0.0;
  for (const Buf& ch : s.channels) rms = std::max(rms, Rms(ch));
  if (rms <= 1e-9) return;
  double gain = DbToGain(rms_db) / rms;
  double loudest = 0.0;
  for (const Buf& ch : s.channels) loudest = std::max(loudest, Peak(ch));
  gain = std::min(gain, peak_cap / loudest);
  for (Buf& ch : s.channels) Scale(ch, gain);
}

// A one-shot starts and ends at rest: no DC offset, no click at either end.
void SettleOneShot(Buf& b, int rate) {
  OnePole dc;
  for (float& s : b) s = static_cast<float>(dc.High(s, 8.0, rate));
  FadeIn(b, Frames(0.001, rate));
  FadeOut(b, Frames(0.005, rate));
}

std::filesystem::path ScriptPath(const std::filesystem::path& dir, const Entry& e) {
  const std::string name = ParseSettings(e.content).Text("script", "");
  if (name.empty()) throw std::invalid_argument("an mp3 row needs script=<file>");
  return dir / name;
}

const Entry& RowFor(const RenderContext& rc, const std::string& name, const Entry& user) {
  const Entry* e = rc.manifest.Find(name);
  if (!e) throw std::invalid_argument("'" + name + "' (used by " + user.path + ") is not in the manifest");
  if (e->kind != Kind::kEffect && e->kind != Kind::kMusic) {
    throw std::invalid_argument("'" + name + "' (used by " + user.path + ") must be an effect or music row");
  }
  return *e;
}

}  // namespace

void JoinLoop(Buf& b, size_t period) {
  if (b.size() <= period) {
    b.resize(period, 0.0f);
    return;
  }
  const size_t blend = b.size() - period;
  // How alike the head and the tail's continuation are decides the blend
  // law: alike parts add like a linear crossfade, unrelated ones by power.
  double dot = 0.0, head = 0.0, tail = 0.0;
  for (size_t i = 0; i < blend; ++i) {
    dot += static_cast<double>(b[i]) * b[period + i];
    head += static_cast<double>(b[i]) * b[i];
    tail += static_cast<double>(b[period + i]) * b[period + i];
  }
  const double rho = head > 0.0 && tail > 0.0 ? std::clamp(dot / std::sqrt(head * tail), 0.0, 1.0) : 0.0;
  for (size_t i = 0; i < blend; ++i) {
    const double u = 0.5 - 0.5 * std::cos(kPi * (i + 0.5) / blend);
    const double w_head = u, w_tail = 1.0 - u;
    const double norm = 1.0 / std::sqrt(w_head * w_head + w_tail * w_tail + 2.0 * rho * w_head * w_tail);
    b[i] = static_cast<float>((b[i] * w_head + b[period + i] * w_tail) * norm);
  }
  b.resize(period);
}

Sound RenderRecipeRow(const Entry& e, const RenderContext& rc, int rate) {
  const Call call = ParseCall(e.content);
  const bool music = e.kind == Kind::kMusic;
  Ctx ctx;
  ctx.rate = rate > 0 ? rate : static_cast<int>(call.Num("rate", music ? kMusicRate : kEffectRate));
  ctx.loop_seconds = e.loop ? e.seconds : 0.0;
  ctx.seconds = e.seconds + (e.loop ? LoopBlendSeconds(e.seconds) : 0.0);
  ctx.seed = SeedFor(e.file);
  ctx.call = &call;
  Sound s = rc.recipes.Render(call.name, ctx, e.channels);
  const size_t frames = Frames(e.seconds, ctx.rate);
  for (Buf& ch : s.channels) {
    if (e.loop) {
      JoinLoop(ch, frames);
      RemoveDc(ch);
    } else {
      ch.resize(frames, 0.0f);
      SettleOneShot(ch, ctx.rate);
    }
  }
  if (music) {
    LevelMusic(s, call.Num("rms_db", -21.0), call.Num("peak", 0.85));
  } else if (call.args.count("rms_db")) {
    // Sustained sounds that must be heard at the same loudness as each other
    // (the alien voices) are levelled by loudness, peaks held below `peak`.
    LevelMusic(s, call.Num("rms_db", -18.0), call.Num("peak", 0.95));
  } else {
    NormalizeTo(s, call.Num("peak", kEffectPeak));
  }
  return s;
}

namespace {

// One sound named after a prompt's words, shaped by its settings:
// for=S plays S seconds (a loop repeats, a one-shot is cut with a fade),
// descend plays it as an alien comes down (slower and louder), repeat=N with
// gap=S plays it N times, speedup makes each repeat quicker and higher like
// the tally's count, gain_db=D sets its level.
Buf RenderReference(const Call& ref, const Entry& user, const RenderContext& rc, int rate) {
  const Entry& row = RowFor(rc, ref.name, user);
  const Buf sound = RenderRecipeRow(row, rc, rate).channels.front();
  const double len = std::clamp(ref.Num("for", static_cast<double>(sound.size()) / rate), 0.05, 60.0);
  const size_t frames = Frames(len, rate);
  Buf once;
  if (ref.Flag("descend")) {
    once = Varispeed(sound, 1.0, 0.69, frames, row.loop);
    for (size_t i = 0; i < once.size(); ++i) once[i] *= static_cast<float>(DbToGain(-12.0 + 12.0 * i / once.size()));
  } else {
    once = row.loop ? Tile(sound, frames) : sound;
    if (once.size() > frames) once.resize(frames);
  }
  if (row.loop || once.size() < sound.size()) FadeOut(once, Frames(std::min(0.3, len / 4.0), rate));
  const int repeat = static_cast<int>(std::clamp(ref.Num("repeat", 1), 1.0, 100.0));
  double gap = std::clamp(ref.Num("gap", 0.0), 0.0, 10.0);
  Buf out;
  for (int k = 0; k < repeat; ++k) {
    const double speed = ref.Flag("speedup") ? 1.0 + 0.025 * k : 1.0;
    Buf step = speed == 1.0 ? once : Resample(once, speed);
    step.resize(step.size() + Frames(gap, rate), 0.0f);
    out.insert(out.end(), step.begin(), step.end());
    if (ref.Flag("speedup")) gap = std::max(0.01, gap - 0.005);
  }
  Scale(out, DbToGain(ref.Num("gain_db", 0.0)));
  return out;
}

void Append(Buf& dst, const Buf& src, double gap_seconds, int rate) {
  dst.insert(dst.end(), src.begin(), src.end());
  dst.resize(dst.size() + Frames(gap_seconds, rate), 0.0f);
}

}  // namespace

namespace {

// A speech row before it is levelled, with its words, or bare: only the bed
// that lies under them or the sounds that follow them.
Sound RenderSpoken(const Entry& e, const RenderContext& rc, bool with_words) {
  const int rate = SpeechBank::kRate;
  const SpeechContent content = ParseSpeechContent(e.content);
  Buf words = rc.speech->Get(content.words);
  Scale(words, kSpeechPeak / std::max(1e-9, Peak(words)));
  Sound s;
  s.rate = rate;
  if (content.over) {
    const Call& bed_call = *content.over;
    Ctx ctx;
    ctx.rate = rate;
    ctx.seconds = std::clamp(bed_call.Num("len", 2.0), 0.1, 60.0);
    ctx.seed = SeedFor(e.file, 7);
    ctx.call = &bed_call;
    Sound bed = rc.recipes.Render(bed_call.name, ctx, e.channels);
    const long at = static_cast<long>(Frames(bed_call.Num("at", 0.3), rate));
    const double bed_gain = DbToGain(bed_call.Num("bed_db", -8.0)) * kSpeechPeak;
    double bed_peak = 1e-9;
    for (const Buf& ch : bed.channels) bed_peak = std::max(bed_peak, Peak(ch));
    for (Buf& ch : bed.channels) {
      Scale(ch, bed_gain / bed_peak);
      if (with_words) ch.resize(std::max(ch.size(), at + words.size() + Frames(0.1, rate)), 0.0f);
      if (with_words) AddInto(ch, words, at);
      SettleOneShot(ch, rate);
      s.channels.push_back(std::move(ch));
    }
  } else {
    Buf mono = with_words ? words : Buf();
    if (!content.then.empty()) {
      mono.resize(mono.size() + Frames(with_words ? 0.35 : 0.05, rate), 0.0f);
      for (const Call& ref : content.then) Append(mono, RenderReference(ref, e, rc, rate), 0.2, rate);
    }
    s.channels.assign(static_cast<size_t>(e.channels), mono);
  }
  return s;
}

}  // namespace

Sound RenderSpeechRow(const Entry& e, const RenderContext& rc) {
  Sound s = RenderSpoken(e, rc, true);
  NormalizeTo(s, kSpeechPeak);
  return s;
}

// The bare sounds keep the level they have beside the words.
Sound RenderBareRow(const Entry& e, const RenderContext& rc) {
  const Entry* spoken = rc.manifest.Find(e.content);
  if (!spoken || spoken->kind != Kind::kSpeech) throw std::invalid_argument("'" + e.content + "' is no speech row");
  const double loudest = Loudest(RenderSpoken(*spoken, rc, true));
  Sound s = RenderSpoken(*spoken, rc, false);
  for (Buf& ch : s.channels) Scale(ch, kSpeechPeak / std::max(1e-9, loudest));
  return s;
}

namespace {

// The bed plays under everything: softer and darker while words are spoken
// (so they stay clear), fuller in the pauses, out of the way while a game
// sound is shown, and faded in and out at the ends.
void LayBed(Buf& voice, const Buf& bed, double gain, const std::vector<std::pair<size_t, size_t>>& examples, int rate) {
  const double attack = 1.0 - std::exp(-1.0 / (0.01 * rate)), release = 1.0 - std::exp(-1.0 / (0.4 * rate));
  OnePole smooth;
  Svf dark;
  size_t next_example = 0;
  double words = 0.0;  // how loud the words are, following them fast up and slowly down
  for (size_t i = 0; i < voice.size(); ++i) {
    while (next_example < examples.size() && i >= examples[next_example].second) ++next_example;
    const bool showing = next_example < examples.size() && i >= examples[next_example].first;
    const double x = std::fabs(voice[i]);
    words += (x > words ? attack : release) * (x - words);
    const double speaking = std::min(1.0, words / 0.05);
    const double duck = smooth.Low(showing ? 0.15 : 1.0 - 0.6 * speaking, 8.0, rate);
    const double edge = std::min({1.0, static_cast<double>(i) / (1.5 * rate), static_cast<double>(voice.size() - i) / (2.5 * rate)});
    voice[i] += static_cast<float>(dark.Low(bed[i], 1800.0, 0.7, rate) * gain * duck * edge);
  }
}

}  // namespace

Sound RenderScript(const Entry& e, const RenderContext& rc) {
  const Call call = ParseSettings(e.content);
  const int rate = SpeechBank::kRate;
  const Script script = LoadScript(ScriptPath(rc.scripts_dir, e));
  const Entry& bed_row = RowFor(rc, call.Text("bed", ""), e);
  const double lead_in = 2.5, lead_out = 3.0;
  Buf voice(Frames(lead_in, rate), 0.0f);
  std::vector<std::pair<size_t, size_t>> examples;  // spans where a game sound plays
  for (const ScriptStep& step : script.steps) {
    if (step.kind == ScriptStep::kSay) {
      Buf words = rc.speech->Get(step.text);
      Scale(words, kSpeechPeak / std::max(1e-9, Peak(words)));
      Append(voice, words, step.pause_after, rate);
    } else if (step.kind == ScriptStep::kPause) {
      voice.resize(voice.size() + Frames(step.seconds, rate), 0.0f);
    } else {
      const size_t from = voice.size();
      Buf sound = RenderReference(step.sound, e, rc, rate);
      Scale(sound, 0.7 / std::max(1e-9, Peak(sound)));
      Append(voice, sound, 0.4, rate);
      examples.emplace_back(from, voice.size());
    }
  }
  voice.resize(voice.size() + Frames(lead_out, rate), 0.0f);
  const Buf bed = Tile(RenderRecipeRow(bed_row, rc, rate).channels.front(), voice.size());
  LayBed(voice, bed, DbToGain(call.Num("bed_db", -20.0)) * kSpeechPeak / std::max(1e-9, Peak(bed)), examples, rate);
  Sound s;
  s.rate = rate;
  s.channels.push_back(std::move(voice));
  NormalizeTo(s, kSpeechPeak);
  return s;
}

std::set<std::string> TextsToSpeak(const Manifest& m, const std::filesystem::path& scripts_dir) {
  std::set<std::string> texts;
  for (const Entry& e : m.entries) {
    if (e.kind == Kind::kSpeech) texts.insert(ParseSpeechContent(e.content).words);
    if (e.kind == Kind::kMp3) {
      for (const ScriptStep& step : LoadScript(ScriptPath(scripts_dir, e)).steps) {
        if (step.kind == ScriptStep::kSay) texts.insert(step.text);
      }
    }
  }
  return texts;
}

void CheckContents(const RenderContext& rc) {
  std::ostringstream problems;
  for (const Entry& e : rc.manifest.entries) {
    try {
      switch (e.kind) {
        case Kind::kEffect:
        case Kind::kMusic: {
          const Call call = ParseCall(e.content);
          if (!rc.recipes.Has(call.name)) throw std::invalid_argument("unknown recipe '" + call.name + "'");
          break;
        }
        case Kind::kSpeech: {
          const SpeechContent content = ParseSpeechContent(e.content);
          for (const Call& ref : content.then) RowFor(rc, ref.name, e);
          if (content.over && !rc.recipes.Has(content.over->name)) {
            throw std::invalid_argument("unknown bed recipe '" + content.over->name + "'");
          }
          break;
        }
        case Kind::kBare: {
          const Entry* spoken = rc.manifest.Find(e.content);
          if (!spoken || spoken->kind != Kind::kSpeech) throw std::invalid_argument("'" + e.content + "' is no speech row");
          const SpeechContent content = ParseSpeechContent(spoken->content);
          if (content.then.empty() && !content.over) {
            throw std::invalid_argument("'" + e.content + "' has no sounds besides its words");
          }
          if (spoken->channels != e.channels) throw std::invalid_argument("a bare row has its speech row's channels");
          break;
        }
        case Kind::kMp3: {
          const Call call = ParseSettings(e.content);
          RowFor(rc, call.Text("bed", ""), e);
          for (const ScriptStep& step : LoadScript(ScriptPath(rc.scripts_dir, e)).steps) {
            if (step.kind == ScriptStep::kPlay) RowFor(rc, step.sound.name, e);
          }
          break;
        }
      }
    } catch (const std::exception& ex) {
      problems << "line " << e.line << " (" << e.path << "): " << ex.what() << "\n";
    }
  }
  if (!problems.str().empty()) throw ManifestError("the manifest has bad rows:\n" + problems.str());
}

}  // namespace sg
