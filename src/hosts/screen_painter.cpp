#include "hosts/screen_painter.h"

#include <algorithm>
#include <iostream>

namespace sb {

namespace {

constexpr Rgb kCaptionBand{0, 0, 0};
constexpr Rgb kCaptionWords{255, 255, 160};
constexpr Rgb kTitleWords{255, 210, 64};
constexpr Rgb kItemWords{215, 218, 230};
constexpr Rgb kCurrentItemWords{0, 0, 0};
constexpr Rgb kStatusWords{230, 230, 235};
constexpr Rgb kFieldColour{18, 22, 56};
constexpr Rgb kGroundColour{90, 140, 90};
constexpr Rgb kSaucerColour{190, 190, 255};
constexpr Rgb kPayloadColour{255, 80, 200};
constexpr Rgb kHintWords{120, 124, 150};
constexpr Rgb kSheepColour{235, 235, 200};
constexpr Rgb kCloneColour{255, 120, 150};
constexpr Rgb kMeteorColour{255, 110, 40};
constexpr Rgb kMonkeyColour{180, 120, 60};
constexpr Rgb kMothershipColour{200, 90, 255};
constexpr Rgb kRollerColour{160, 160, 175};

// The aliens' colours, as their names say (blue .. silver).
constexpr std::array<Rgb, kColourCount> kAlienColours = {{
    {70, 130, 255},   // blue
    {60, 220, 60},    // green
    {240, 50, 50},    // red
    {175, 90, 245},   // violet
    {250, 230, 40},   // yellow
    {40, 230, 230},   // cyan
    {255, 150, 30},   // orange
    {192, 192, 204},  // silver
}};

// The view sized from the window's height: the caption a ninth of it.
constexpr int kCaptionDivisor = 9;
constexpr int kHeadingDivisor = 15;
constexpr int kItemDivisor = 22;
constexpr size_t kMostCachedTexts = 96;
constexpr const char* kHint = "F9 shows the captions, menus and radar";
constexpr const char* kCurrentMarker = "\xE2\x96\xB6 ";  // a right-pointing triangle

}  // namespace

void PreferSoftwareDrawing() {
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
}

ScreenPainter::ScreenPainter(SDL_Window* window, std::optional<std::filesystem::path> font)
    : window_(window), fontFile_(std::move(font)) {
  // No flags: the render driver hint (software unless the player asks for
  // another) decides.
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (!renderer_) {
    std::cerr << "starbarrow: the window cannot be drawn: " << SDL_GetError() << '\n';
    return;
  }
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
  if (fontFile_ && TTF_Init() == 0) ttfStarted_ = true;
  if (fontFile_ && !ttfStarted_) std::cerr << "starbarrow: the window cannot write: " << TTF_GetError() << '\n';
  FitToWindow();
}

ScreenPainter::~ScreenPainter() {
  ClearTextCache();
  CloseFonts();
  if (ttfStarted_) TTF_Quit();
  if (renderer_) SDL_DestroyRenderer(renderer_);
}

void ScreenPainter::CloseFonts() {
  for (TTF_Font*& font : fonts_) {
    if (font) TTF_CloseFont(font);
    font = nullptr;
  }
}

void ScreenPainter::ClearTextCache() {
  for (auto& [key, image] : textCache_) SDL_DestroyTexture(image.texture);
  textCache_.clear();
}

// The fonts are opened again, at sizes for the new height, when the window's size changes.
void ScreenPainter::FitToWindow() {
  int w = 0;
  int h = 0;
  SDL_GetRendererOutputSize(renderer_, &w, &h);
  if (w == width_ && h == height_) return;
  width_ = w;
  height_ = h;
  ClearTextCache();
  CloseFonts();
  if (!ttfStarted_) return;
  const int divisors[kFontSizes] = {kCaptionDivisor, kHeadingDivisor, kItemDivisor};
  for (int i = 0; i < kFontSizes; ++i) {
    fonts_[i] = TTF_OpenFont(fontFile_->c_str(), std::max(8, height_ / divisors[i]));
    if (!fonts_[i]) {
      std::cerr << "starbarrow: the font " << *fontFile_ << " cannot be used: " << TTF_GetError() << '\n';
      CloseFonts();
      ttfStarted_ = false;
      TTF_Quit();
      return;
    }
  }
}

const ScreenPainter::TextImage* ScreenPainter::Text(FontSize size, const std::string& words, Rgb colour,
                                                     int wrap) {
  if (!fonts_[size] || words.empty()) return nullptr;
  const auto key = std::make_tuple(static_cast<int>(size), colour.Argb(), wrap, words);
  if (auto found = textCache_.find(key); found != textCache_.end()) return &found->second;
  if (textCache_.size() >= kMostCachedTexts) ClearTextCache();
  const SDL_Color c{colour.r, colour.g, colour.b, 255};
  SDL_Surface* surface = wrap > 0 ? TTF_RenderUTF8_Blended_Wrapped(fonts_[size], words.c_str(), c,
                                                                    static_cast<Uint32>(wrap))
                                  : TTF_RenderUTF8_Blended(fonts_[size], words.c_str(), c);
  if (!surface) return nullptr;
  TextImage image{SDL_CreateTextureFromSurface(renderer_, surface), surface->w, surface->h};
  SDL_FreeSurface(surface);
  if (!image.texture) return nullptr;
  return &textCache_.emplace(key, image).first->second;
}

int ScreenPainter::LineHeight(FontSize size) const {
  return fonts_[size] ? TTF_FontLineSkip(fonts_[size]) : height_ / kItemDivisor;
}

void ScreenPainter::DrawText(FontSize size, const std::string& words, Rgb colour, int x, int y) {
  if (const TextImage* image = Text(size, words, colour)) {
    const SDL_Rect at{x, y, image->w, image->h};
    SDL_RenderCopy(renderer_, image->texture, nullptr, &at);
  }
}

void ScreenPainter::Fill(const SDL_Rect& rect, Rgb colour) {
  SDL_SetRenderDrawColor(renderer_, colour.r, colour.g, colour.b, 255);
  SDL_RenderFillRect(renderer_, &rect);
}

std::optional<ScreenFrame> ScreenPainter::Draw(const ScreenPicture& picture, const ScreenText& text, bool keep) {
  if (!renderer_) return std::nullopt;
  FitToWindow();
  SDL_SetRenderDrawColor(renderer_, kBackgroundColour.r, kBackgroundColour.g, kBackgroundColour.b, 255);
  SDL_RenderClear(renderer_);
  const int pad = std::max(2, height_ / 40);
  if (!text.viewOn) {
    DrawText(kItemFont, kHint, kHintWords, pad, pad);
  } else {
    const int bandHeight = height_ / 4;
    const SDL_Rect band{0, height_ - bandHeight, width_, bandHeight};
    const SDL_Rect above{pad, pad, width_ - 2 * pad, height_ - bandHeight - 2 * pad};
    if (picture.menu) DrawMenu(*picture.menu, above);
    if (picture.radar) DrawRadar(*picture.radar, above);
    DrawCaption(text.caption, band);
  }
  std::optional<ScreenFrame> frame;
  if (keep) frame = ReadFrame();  // before presenting: a presented frame may be gone
  SDL_RenderPresent(renderer_);
  return frame;
}

void ScreenPainter::DrawCaption(const std::string& caption, const SDL_Rect& band) {
  Fill(band, kCaptionBand);
  const int pad = band.h / 10;
  const TextImage* image = Text(kCaptionFont, caption, kCaptionWords, band.w - 2 * pad);
  if (!image) return;
  // Centred; a caption longer than the band shows its first lines.
  const SDL_Rect source{0, 0, image->w, std::min(image->h, band.h - pad)};
  const SDL_Rect at{band.x + (band.w - image->w) / 2, band.y + std::max(pad / 2, (band.h - image->h) / 2), image->w,
                    source.h};
  SDL_RenderCopy(renderer_, image->texture, &source, &at);
}

void ScreenPainter::DrawMenu(const MenuPicture& menu, const SDL_Rect& area) {
  DrawText(kHeadingFont, menu.title, kTitleWords, area.x, area.y);
  const int top = area.y + LineHeight(kHeadingFont) + area.h / 30;
  const int line = std::max(1, LineHeight(kItemFont));
  const int rows = std::max(1, (area.y + area.h - top) / line);
  const int count = static_cast<int>(menu.items.size());
  // A long menu (the fifty sound descriptions) shows the rows around the current item.
  const int first = std::clamp(menu.current - rows / 2, 0, std::max(0, count - rows));
  for (int i = first; i < std::min(count, first + rows); ++i) {
    const int y = top + (i - first) * line;
    if (i == menu.current) {
      Fill({area.x, y, area.w, line}, kCurrentItemBar);
      DrawText(kItemFont, kCurrentMarker + menu.items[i], kCurrentItemWords, area.x + line / 4, y);
    } else {
      DrawText(kItemFont, menu.items[i], kItemWords, area.x + line, y);
    }
  }
}

void ScreenPainter::DrawRadar(const RadarPicture& radar, const SDL_Rect& area) {
  DrawText(kHeadingFont, radar.status, kStatusWords, area.x, area.y);
  const int top = area.y + LineHeight(kHeadingFont) + area.h / 30;
  const SDL_Rect field{area.x, top, area.w, std::max(1, area.y + area.h - top)};
  Fill(field, kFieldColour);
  const int groundY = field.y + field.h - field.h / 8;
  Fill({field.x, groundY, field.w, std::max(1, field.h / 60)}, kGroundColour);
  // The ship comes first in the picture; it is drawn last, over anything at its place.
  for (size_t i = radar.marks.size(); i-- > 0;) DrawMark(radar.marks[i], field);
}

void ScreenPainter::DrawMark(const RadarMark& mark, const SDL_Rect& field) {
  const int size = std::max(4, field.h / 12);
  const int groundY = field.y + field.h - field.h / 8;
  const int x = field.x + size / 2 + static_cast<int>(mark.x * static_cast<float>(field.w - size));
  const int y = field.y + size / 2 + static_cast<int>(mark.y * static_cast<float>(groundY - field.y - size / 2));
  switch (mark.kind) {
    case RadarKind::Ship:
      DrawShip(x, groundY, size);
      break;
    case RadarKind::Alien:
      Fill({x - size / 2, y - size / 2, size, size}, kAlienColours[static_cast<size_t>(mark.colour)]);
      break;
    case RadarKind::LandedAlien:
      Fill({x - size / 2, groundY - size / 2, size, size / 2}, kAlienColours[static_cast<size_t>(mark.colour)]);
      break;
    case RadarKind::Saucer:
      Fill({x - size, field.y + size / 4, 2 * size, size / 2}, kSaucerColour);
      break;
    case RadarKind::Payload:
      Fill({x - size / 4, y - size / 4, size / 2, size / 2}, kPayloadColour);
      break;
    case RadarKind::Sheep:
      Fill({x - size / 2, y - size / 3, size, 2 * size / 3}, kSheepColour);
      break;
    case RadarKind::Clone:
      Fill({x - size / 2, y - size / 3, size, 2 * size / 3}, kCloneColour);
      break;
    case RadarKind::Meteor:
      Fill({x - size / 3, y - size / 3, 2 * size / 3, 2 * size / 3}, kMeteorColour);
      break;
    case RadarKind::Monkey:
      Fill({x - size / 3, y - size / 2, 2 * size / 3, size}, kMonkeyColour);
      break;
    case RadarKind::Mothership:
      Fill({x - 2 * size, field.y + size / 4, 4 * size, size}, kMothershipColour);
      break;
    case RadarKind::Roller:
      Fill({x - size / 2, y - size / 2, size, size}, kRollerColour);
      break;
  }
}

// An upward triangle standing on the ground line.
void ScreenPainter::DrawShip(int x, int groundY, int size) {
  const SDL_Color c{kShipMarkColour.r, kShipMarkColour.g, kShipMarkColour.b, 255};
  const float fx = static_cast<float>(x);
  const float base = static_cast<float>(groundY + size / 3);
  const float half = static_cast<float>(size) * 0.6f;
  const SDL_Vertex corners[3] = {{{fx - half, base}, c, {0, 0}},
                                 {{fx + half, base}, c, {0, 0}},
                                 {{fx, base - 1.2f * static_cast<float>(size)}, c, {0, 0}}};
  SDL_RenderGeometry(renderer_, nullptr, corners, 3, nullptr, 0);
}

ScreenFrame ScreenPainter::ReadFrame() {
  ScreenFrame frame{width_, height_, std::vector<uint32_t>(static_cast<size_t>(width_) * height_)};
  if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, frame.pixels.data(), width_ * 4) != 0) {
    frame.pixels.assign(frame.pixels.size(), 0);
  }
  return frame;
}

}  // namespace sb
