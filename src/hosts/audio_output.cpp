#include "hosts/audio_output.h"

#include "audio/mixer.h"

namespace sb {

bool AudioOutput::Start(Mixer& mixer, const std::string& chosen, int frames) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    err_ << "starbarrow: no sound: " << SDL_GetError() << '\n';
    return false;
  }
  mixer_ = &mixer;
  chosen_ = chosen;
  frames_ = frames;
  watch_ = AudioDeviceWatch(chosen);
  opens_ = 0;
  SDL_AudioSpec have{};
  SDL_AudioDeviceID device = 0;
  if (!chosen.empty()) {
    device = Open(chosen.c_str(), have);
    if (device == 0) {
      err_ << "starbarrow: the sound device \"" << chosen << "\" cannot be opened (" << SDL_GetError()
           << "); playing through the default one. 'starbarrow --list-audio-devices' lists the devices.\n";
    }
  }
  const bool onChosen = device != 0;
  if (device == 0) device = Open(nullptr, have);
  if (device == 0) {
    err_ << "starbarrow: no sound: " << SDL_GetError() << '\n';
    mixer_ = nullptr;
    return false;
  }
  PlayThrough(device, have);
  watch_.Opened(onChosen);
  return true;
}

void AudioOutput::Stop() {
  Close();
  mixer_ = nullptr;
}

// The device opens paused: nothing renders until PlayThrough starts it.
SDL_AudioDeviceID AudioOutput::Open(const char* name, SDL_AudioSpec& have) const {
  SDL_AudioSpec want{};
  want.freq = 48000;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = static_cast<Uint16>(frames_);
  want.callback = Render;
  want.userdata = mixer_;
  // SDL converts any other format, channel count or period to ours; the
  // mixer renders at the device's own rate.
  return SDL_OpenAudioDevice(name, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
}

// The device renders from where the mixer is: the frames the previous one
// rendered were played, or lost with it, and none is rendered twice.
void AudioOutput::PlayThrough(SDL_AudioDeviceID device, const SDL_AudioSpec& have) {
  device_ = device;
  ++opens_;
  mixer_->SetOutputRate(have.freq);
  SDL_PauseAudioDevice(device_, 0);
}

void AudioOutput::Close() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);  // waits for the callback to finish
  device_ = 0;
}

void AudioOutput::Render(void* mixer, Uint8* stream, int length) {
  static_cast<Mixer*>(mixer)->Render(reinterpret_cast<int16_t*>(stream),
                                     static_cast<size_t>(length) / (2 * sizeof(int16_t)));
}

void AudioOutput::Handle(const SDL_AudioDeviceEvent& event, int32_t now) {
  if (event.iscapture || !mixer_) return;
  if (event.type == SDL_AUDIODEVICEREMOVED) {
    if (device_ == 0 || event.which != device_) return;  // not the one we play through
    Close();
    watch_.Lost(now);
  } else if (event.type == SDL_AUDIODEVICEADDED) {
    const char* name = SDL_GetAudioDeviceName(static_cast<int>(event.which), 0);
    watch_.Added(name ? name : "", now);
  }
}

void AudioOutput::Tend(int32_t now) {
  if (!mixer_) return;
  const AudioMove move = watch_.Due(now);
  if (move == AudioMove::None) return;
  const bool wasSilent = watch_.Silent();
  Close();  // some drivers open only one device at a time
  SDL_AudioSpec have{};
  if (move == AudioMove::ToChosen) {
    if (const SDL_AudioDeviceID device = Open(chosen_.c_str(), have)) {
      PlayThrough(device, have);
      watch_.Opened(true);
      err_ << "starbarrow: the sound device \"" << chosen_ << "\" is back; playing through it again\n";
      toldSilent_ = false;
      return;
    }
    err_ << "starbarrow: the sound device \"" << chosen_ << "\" is back but cannot be opened (" << SDL_GetError()
         << ")\n";
    watch_.Failed(now);
  }
  if (const SDL_AudioDeviceID device = Open(nullptr, have)) {
    PlayThrough(device, have);
    watch_.Opened(false);
    if (toldSilent_) {
      err_ << "starbarrow: sound is back, through the default device\n";
    } else if (wasSilent) {
      err_ << "starbarrow: the sound device went away; playing through the default one\n";
    }
    toldSilent_ = false;
    return;
  }
  if (!toldSilent_) {
    err_ << "starbarrow: the sound device went away and no other opens (" << SDL_GetError()
         << "); the game goes on in silence and tries again every second\n";
    toldSilent_ = true;
  }
  if (!wasSilent) watch_.Lost(now);
  watch_.Failed(now);
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
