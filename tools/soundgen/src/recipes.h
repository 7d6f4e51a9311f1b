#pragma once
// Named synthesis recipes. A manifest row's content names a recipe and its
// settings; the recipe renders exactly ctx.Frames() samples at ctx.rate.

#include <functional>
#include <map>
#include <string>

#include "dsp.h"
#include "manifest.h"
#include "wav_file.h"

namespace sg {

struct Ctx {
  int rate = 44100;
  double seconds = 1.0;       // how much to render
  double loop_seconds = 0.0;  // the loop's period when the sound loops, else 0
  uint64_t seed = 1;
  const Call* call = nullptr;

  size_t Frames() const { return sg::Frames(seconds, rate); }
  double Num(const std::string& key, double fallback) const { return call ? call->Num(key, fallback) : fallback; }
  int Int(const std::string& key, int fallback) const { return static_cast<int>(Num(key, fallback)); }
  std::string Text(const std::string& key, const std::string& fallback) const {
    return call ? call->Text(key, fallback) : fallback;
  }
  bool Flag(const std::string& key) const { return call && call->Flag(key); }
  // Renders `fn(t)` for every frame, t in seconds.
  Buf Each(const std::function<double(double)>& fn) const;
};

using MonoRecipe = std::function<Buf(const Ctx&)>;
using StereoRecipe = std::function<Sound(const Ctx&)>;

class Registry {
 public:
  void Add(const std::string& name, MonoRecipe fn);
  void AddStereo(const std::string& name, StereoRecipe fn);
  bool Has(const std::string& name) const;
  // Renders with `channels` channels; a mono recipe is copied to both sides.
  Sound Render(const std::string& name, const Ctx& ctx, int channels) const;

 private:
  std::map<std::string, MonoRecipe> mono_;
  std::map<std::string, StereoRecipe> stereo_;
};

// Every recipe of the game, grouped by the part of the game they sound in.
const Registry& AllRecipes();
void AddAlienRecipes(Registry& r);
void AddWeaponRecipes(Registry& r);
void AddShipRecipes(Registry& r);
void AddSaucerRecipes(Registry& r);
void AddRoundRecipes(Registry& r);
void AddCreatureRecipes(Registry& r);
void AddBossRecipes(Registry& r);
void AddMenuRecipes(Registry& r);
void AddMusicRecipes(Registry& r);

}  // namespace sg
