#include "game/screen.h"

#include <algorithm>
#include <iterator>

#include "audio/captions.h"
#include "game/game.h"
#include "sound/speech.h"

namespace sb {

ScreenPicture TakeScreen(const Game& game) {
  ScreenPicture picture;
  picture.speaking =
      game.speech.channel.IsPlaying() || game.speech.promptChannel.IsPlaying() || OwnVoiceSpeaking(game);
  const auto& layers = game.screen.layers;
  if (layers.empty()) return picture;
  if (layers.back().menu) {
    picture.menu = *layers.back().menu;
  } else {
    picture.radar = TakeRadar(game, layers.back().scene);
  }
  return picture;
}

std::string ItemWords(std::string_view file) {
  if (const std::optional<std::string_view> words = CaptionFor(file)) return std::string(*words);
  const size_t slash = file.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? file : file.substr(slash + 1));
}

MenuOnScreen::MenuOnScreen(Game& game, std::string title, std::vector<std::string> items)
    : game_(game), picture_{std::move(title), std::move(items), -1} {
  game_.screen.layers.push_back({&picture_});
}

MenuOnScreen::MenuOnScreen(Game& game, std::string title, std::span<const char* const> itemFiles)
    : MenuOnScreen(game, std::move(title), std::vector<std::string>{}) {
  for (const char* file : itemFiles) picture_.items.push_back(ItemWords(file));
}

MenuOnScreen::~MenuOnScreen() {
  auto& layers = game_.screen.layers;
  std::erase_if(layers, [this](const ScreenLayer& layer) { return layer.menu == &picture_; });
}

RadarOnScreen::RadarOnScreen(Game& game, RadarScene scene) : game_(game) {
  game_.screen.layers.push_back({nullptr, scene});
}

RadarOnScreen::~RadarOnScreen() {
  // The radar layer opened last goes; the layers of a loop are always closed
  // in the reverse order they were opened.
  auto& layers = game_.screen.layers;
  const auto last = std::find_if(layers.rbegin(), layers.rend(), [](const ScreenLayer& l) { return !l.menu; });
  if (last != layers.rend()) layers.erase(std::next(last).base());
}

}  // namespace sb
