#pragma once
// Draws the window's picture of what is heard with SDL's renderer and SDL_ttf:
// the caption line, large, along the bottom; above it the menu being walked
// or the radar of the field. Everything is laid out from the window's size,
// so it scales as the window does.

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "game/screen.h"

namespace sb {

// A drawn frame read back from the renderer, 0xAARRGGBB pixels row by row.
struct ScreenFrame {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

struct Rgb {
  uint8_t r, g, b;
  uint32_t Argb() const { return 0xFF000000u | (uint32_t{r} << 16) | (uint32_t{g} << 8) | b; }
};

// The ship's mark: a colour nothing else on the radar uses.
constexpr Rgb kShipMarkColour{255, 255, 255};
constexpr Rgb kBackgroundColour{8, 10, 32};
// The bar behind the current item of a menu.
constexpr Rgb kCurrentItemBar{255, 200, 40};

// The key that shows and hides the view (captions, menus, radar); the game
// itself reads no such key.
constexpr SDL_Scancode kViewToggleKey = SDL_SCANCODE_F9;

// What to draw besides the picture.
struct ScreenText {
  std::string caption;  // the words being spoken; empty when none
  bool viewOn = true;   // off: only a line saying which key brings the view back
  bool operator==(const ScreenText&) const = default;
};

// The window is drawn in software. Left to itself SDL backs the window with
// OpenGL, which on a machine without a graphics driver loads Mesa's software
// rasteriser and LLVM: some 90 MB resident and a pool of threads, for a
// window nobody needs to see. The player can still ask for it through the
// environment (SDL_FRAMEBUFFER_ACCELERATION, SDL_RENDER_DRIVER). Called
// before the window is made.
void PreferSoftwareDrawing();

class ScreenPainter {
 public:
  // Without a usable font the window is still drawn, without words.
  ScreenPainter(SDL_Window* window, std::optional<std::filesystem::path> font);
  ~ScreenPainter();
  ScreenPainter(const ScreenPainter&) = delete;
  ScreenPainter& operator=(const ScreenPainter&) = delete;

  bool Ready() const { return renderer_ != nullptr; }
  bool HasFont() const { return fonts_[0] != nullptr; }
  // Draws and shows a frame; with `keep`, the frame is read back first.
  std::optional<ScreenFrame> Draw(const ScreenPicture& picture, const ScreenText& text, bool keep = false);

 private:
  enum FontSize { kCaptionFont, kHeadingFont, kItemFont, kFontSizes };
  struct TextImage {
    SDL_Texture* texture = nullptr;
    int w = 0;
    int h = 0;
  };

  void FitToWindow();
  void CloseFonts();
  void ClearTextCache();
  // The words as an image in the font and colour, wrapped at `wrap` pixels (0: one line).
  const TextImage* Text(FontSize size, const std::string& words, Rgb colour, int wrap = 0);
  int LineHeight(FontSize size) const;
  void DrawText(FontSize size, const std::string& words, Rgb colour, int x, int y);
  void Fill(const SDL_Rect& rect, Rgb colour);

  void DrawCaption(const std::string& caption, const SDL_Rect& band);
  void DrawMenu(const MenuPicture& menu, const SDL_Rect& area);
  void DrawRadar(const RadarPicture& radar, const SDL_Rect& area);
  void DrawMark(const RadarMark& mark, const SDL_Rect& field);
  void DrawShip(int x, int groundY, int size);
  ScreenFrame ReadFrame();

  SDL_Window* window_;
  SDL_Renderer* renderer_ = nullptr;
  std::optional<std::filesystem::path> fontFile_;
  bool ttfStarted_ = false;
  std::array<TTF_Font*, kFontSizes> fonts_{};
  int width_ = 0;
  int height_ = 0;
  std::map<std::tuple<int, uint32_t, int, std::string>, TextImage> textCache_;
};

}  // namespace sb
