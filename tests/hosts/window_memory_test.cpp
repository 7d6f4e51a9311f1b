// The window costs little: under a real X server it is drawn in software, so
// no OpenGL driver (Mesa's rasteriser and LLVM, some 90 MB resident) is loaded
// for a window the player does not need.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "hosts/sdl_host.h"
#include "support/host_options.h"
#include "support/temp_dir.h"
#include "support/xvfb.h"

namespace sb {
namespace {

std::string MappedFiles() {
  std::ifstream maps("/proc/self/maps");
  std::stringstream text;
  text << maps.rdbuf();
  return text.str();
}

TEST(SdlHostWindow, IsDrawnWithoutLoadingOpenGl) {
  test::Xvfb server;
  if (server.Display().empty()) GTEST_SKIP() << "no X server (Xvfb) to open a window on";
  setenv("DISPLAY", server.Display().c_str(), 1);
  unsetenv("SDL_VIDEODRIVER");
  unsetenv("SDL_FRAMEBUFFER_ACCELERATION");
  unsetenv("SDL_RENDER_DRIVER");
  test::TempDir dir;
  const SdlHostOptions options = test::HostOptionsIn(dir.path());
  {
    SdlHost host(options);
    host.ShowMainWindow("Starbarrow");
    host.Yield();
    ASSERT_NE(host.Window(), nullptr) << "no window opened on " << server.Display();
    const char* driver = SDL_GetCurrentVideoDriver();
    const std::string maps = MappedFiles();
    for (const char* library : {"libGLX_mesa", "_dri.so", "libLLVM"}) {
      EXPECT_EQ(maps.find(library), std::string::npos)
          << library << " is loaded (video driver " << (driver ? driver : "none") << ")";
    }
  }
}

}  // namespace
}  // namespace sb
