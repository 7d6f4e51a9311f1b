#include "hosts/audio_output.h"

namespace sb {

SDL_AudioDeviceID OpenAudioOutput(const std::string& name, const SDL_AudioSpec& want, SDL_AudioSpec& have,
                                  std::ostream& err) {
  constexpr int kChanges = SDL_AUDIO_ALLOW_FREQUENCY_CHANGE;
  if (!name.empty()) {
    if (const SDL_AudioDeviceID id = SDL_OpenAudioDevice(name.c_str(), 0, &want, &have, kChanges)) return id;
    err << "starbarrow: the sound device \"" << name << "\" cannot be opened (" << SDL_GetError()
        << "); playing through the default one. 'starbarrow --list-audio-devices' lists the devices.\n";
  }
  return SDL_OpenAudioDevice(nullptr, 0, &want, &have, kChanges);
}

int ListAudioOutputs(std::ostream& out, std::ostream& err) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    err << "starbarrow: no sound: " << SDL_GetError() << '\n';
    return 1;
  }
  const int count = SDL_GetNumAudioDevices(0);
  if (count <= 0) {
    // Some sound systems only offer their default output, unnamed.
    err << "starbarrow: the sound system (" << SDL_GetCurrentAudioDriver()
        << ") names no devices; the game plays through its default one\n";
  }
  for (int i = 0; i < count; ++i) {
    if (const char* name = SDL_GetAudioDeviceName(i, 0)) out << name << '\n';
  }
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return 0;
}

}  // namespace sb
