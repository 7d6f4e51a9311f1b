// Starbarrow: builds the real host and hands over to start-up.

#include "hosts/sdl_host.h"
#include "platform/startup.h"

int main() {
  sb::SdlHost host(sb::DefaultSdlHostOptions());
  return sb::RunProgram(host);
}
