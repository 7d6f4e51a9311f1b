#include "recipes.h"

#include <stdexcept>

namespace sg {

Buf Ctx::Each(const std::function<double(double)>& fn) const {
  Buf out(Frames());
  for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<float>(fn(static_cast<double>(i) / rate));
  return out;
}

void Registry::Add(const std::string& name, MonoRecipe fn) {
  if (Has(name)) throw std::logic_error("recipe '" + name + "' registered twice");
  mono_[name] = std::move(fn);
}

void Registry::AddStereo(const std::string& name, StereoRecipe fn) {
  if (Has(name)) throw std::logic_error("recipe '" + name + "' registered twice");
  stereo_[name] = std::move(fn);
}

bool Registry::Has(const std::string& name) const { return mono_.count(name) || stereo_.count(name); }

Sound Registry::Render(const std::string& name, const Ctx& ctx, int channels) const {
  Sound s;
  s.rate = ctx.rate;
  if (auto it = stereo_.find(name); it != stereo_.end()) {
    s = it->second(ctx);
    if (static_cast<int>(s.channels.size()) != channels) {
      throw std::invalid_argument("recipe '" + name + "' makes " + std::to_string(s.channels.size()) +
                                  " channels, the row asks for " + std::to_string(channels));
    }
  } else if (auto m = mono_.find(name); m != mono_.end()) {
    Buf b = m->second(ctx);
    s.channels.assign(static_cast<size_t>(channels), b);
  } else {
    throw std::invalid_argument("unknown recipe '" + name + "'");
  }
  for (Buf& ch : s.channels) ch.resize(ctx.Frames(), 0.0f);
  return s;
}

const Registry& AllRecipes() {
  static const Registry registry = [] {
    Registry r;
    AddAlienRecipes(r);
    AddWeaponRecipes(r);
    AddShipRecipes(r);
    AddSaucerRecipes(r);
    AddRoundRecipes(r);
    AddCreatureRecipes(r);
    AddBossRecipes(r);
    AddMenuRecipes(r);
    AddMusicRecipes(r);
    return r;
  }();
  return registry;
}

}  // namespace sg
