#include "hosts/sdl_joystick.h"

#include <algorithm>
#include <iostream>

namespace sb {

namespace {

// The buttons of a known pad, in the order the game numbers them.
constexpr SDL_GameControllerButton kPadButtons[] = {
    SDL_CONTROLLER_BUTTON_A,          SDL_CONTROLLER_BUTTON_B,          SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,          SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_BACK,       SDL_CONTROLLER_BUTTON_START,      SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK, SDL_CONTROLLER_BUTTON_GUIDE,      SDL_CONTROLLER_BUTTON_MISC1,
    SDL_CONTROLLER_BUTTON_PADDLE1,    SDL_CONTROLLER_BUTTON_PADDLE2,    SDL_CONTROLLER_BUTTON_PADDLE3,
    SDL_CONTROLLER_BUTTON_PADDLE4,    SDL_CONTROLLER_BUTTON_TOUCHPAD};
// Its axes in the order X, Y, Z, Rx, Ry, Rz.
constexpr SDL_GameControllerAxis kPadAxes[] = {SDL_CONTROLLER_AXIS_LEFTX,  SDL_CONTROLLER_AXIS_LEFTY,
                                               SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_CONTROLLER_AXIS_RIGHTX,
                                               SDL_CONTROLLER_AXIS_RIGHTY, SDL_CONTROLLER_AXIS_TRIGGERRIGHT};

int PadAxisCount(SDL_GameController* pad) {
  int count = 0;
  for (SDL_GameControllerAxis axis : kPadAxes) count += SDL_GameControllerHasAxis(pad, axis) ? 1 : 0;
  return count;
}

int PadButtonCount(SDL_GameController* pad) {
  int count = 0;
  for (SDL_GameControllerButton button : kPadButtons) count += SDL_GameControllerHasButton(pad, button) ? 1 : 0;
  return count;
}

uint8_t PadHat(SDL_GameController* pad) {
  uint8_t hat = 0;
  if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP)) hat |= SDL_HAT_UP;
  if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) hat |= SDL_HAT_RIGHT;
  if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) hat |= SDL_HAT_DOWN;
  if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) hat |= SDL_HAT_LEFT;
  return hat;
}

}  // namespace

SdlJoysticks::~SdlJoysticks() { Close(); }

bool SdlJoysticks::Start(const std::vector<std::filesystem::path>& mappingDirs) {
  if (started_) return true;
  // The controller keeps working while another window has the focus.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::cerr << "starbarrow: no game controllers: " << SDL_GetError() << '\n';
    return false;
  }
  started_ = true;
  for (const auto& dir : mappingDirs) {
    const auto file = dir / "gamecontrollerdb.txt";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) continue;
    if (SDL_GameControllerAddMappingsFromFile(file.c_str()) < 0) {
      std::cerr << "starbarrow: cannot read " << file << ": " << SDL_GetError() << '\n';
    }
  }
  return true;
}

int SdlJoysticks::Count() { return started_ ? std::max(0, SDL_NumJoysticks()) : 0; }

JoystickInfo SdlJoysticks::Info(int index) {
  JoystickInfo info;
  if (!started_ || index < 0 || index >= Count()) return info;
  if (SDL_IsGameController(index)) {
    // Opening an open device only counts another user of it.
    if (SDL_GameController* pad = SDL_GameControllerOpen(index)) {
      const char* name = SDL_GameControllerName(pad);
      info.name = name ? name : "";
      info.axes = PadAxisCount(pad);
      info.buttons = PadButtonCount(pad);
      SDL_GameControllerClose(pad);
      return info;
    }
  }
  if (SDL_Joystick* stick = SDL_JoystickOpen(index)) {
    const char* name = SDL_JoystickName(stick);
    info.name = name ? name : "";
    info.axes = std::max(0, SDL_JoystickNumAxes(stick));
    info.buttons = std::max(0, SDL_JoystickNumButtons(stick));
    SDL_JoystickClose(stick);
  }
  return info;
}

bool SdlJoysticks::Open(int index) {
  Close();
  if (!started_ || index < 0 || index >= Count()) return false;
  if (SDL_IsGameController(index)) {
    controller_ = SDL_GameControllerOpen(index);
    if (controller_) joystick_ = SDL_GameControllerGetJoystick(controller_);
  }
  if (!joystick_) joystick_ = SDL_JoystickOpen(index);
  if (!joystick_) {
    std::cerr << "starbarrow: cannot open controller " << index + 1 << ": " << SDL_GetError() << '\n';
    Close();
    return false;
  }
  instance_ = SDL_JoystickInstanceID(joystick_);
  notices_.DropState();
  return true;
}

void SdlJoysticks::Close() {
  if (controller_) {
    SDL_GameControllerClose(controller_);  // also lets go of its joystick
  } else if (joystick_) {
    SDL_JoystickClose(joystick_);
  }
  controller_ = nullptr;
  joystick_ = nullptr;
  instance_ = -1;
}

JoystickRead SdlJoysticks::Read(RawJoystickState& state) {
  if (!joystick_ || !SDL_JoystickGetAttached(joystick_)) return JoystickRead::Lost;
  state = RawJoystickState{};
  if (controller_) {
    for (size_t i = 0; i < std::size(kPadAxes); ++i) {
      state.axisPresent[i] = SDL_GameControllerHasAxis(controller_, kPadAxes[i]);
      state.axes[i] = state.axisPresent[i] ? SDL_GameControllerGetAxis(controller_, kPadAxes[i]) : 0;
    }
    for (size_t i = 0; i < std::size(kPadButtons); ++i) {
      state.buttons[i] = SDL_GameControllerGetButton(controller_, kPadButtons[i]) ? 1 : 0;
    }
    state.hats[0] = PadHat(controller_);
    return JoystickRead::Ok;
  }
  const int axes = std::min<int>(SDL_JoystickNumAxes(joystick_), static_cast<int>(state.axes.size()));
  for (int i = 0; i < axes; ++i) {
    state.axisPresent[i] = true;
    state.axes[i] = SDL_JoystickGetAxis(joystick_, i);
  }
  const int buttons = std::min<int>(SDL_JoystickNumButtons(joystick_), static_cast<int>(state.buttons.size()));
  for (int i = 0; i < buttons; ++i) state.buttons[i] = SDL_JoystickGetButton(joystick_, i) ? 1 : 0;
  const int hats = std::min<int>(SDL_JoystickNumHats(joystick_), static_cast<int>(state.hats.size()));
  for (int i = 0; i < hats; ++i) state.hats[i] = SDL_JoystickGetHat(joystick_, i);
  return JoystickRead::Ok;
}

void SdlJoysticks::Handle(const SDL_Event& event) {
  switch (event.type) {
    // The joystick events come for known pads too; the pads' own events would repeat them.
    case SDL_JOYAXISMOTION:
      if (joystick_ && event.jaxis.which == instance_) notices_.NoteState();
      break;
    case SDL_JOYHATMOTION:
      if (joystick_ && event.jhat.which == instance_) notices_.NoteState();
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      if (joystick_ && event.jbutton.which == instance_) notices_.NoteState();
      break;
    case SDL_JOYDEVICEREMOVED:
      if (joystick_ && event.jdevice.which == instance_) Close();
      notices_.NoteDevices();
      break;
    case SDL_JOYDEVICEADDED:
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERDEVICEREMAPPED:
      notices_.NoteDevices();
      break;
    default:
      break;
  }
}

}  // namespace sb
