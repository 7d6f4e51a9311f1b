#include "platform/dik.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace sb::dik {

namespace {

struct Entry {
  std::string_view name;
  uint8_t code;
};

// Main names first: Name() reports the first entry of a code.
constexpr Entry kKeys[] = {
    {"ESCAPE", ESCAPE}, {"1", K1}, {"2", K2}, {"3", K3}, {"4", K4}, {"5", K5}, {"6", K6}, {"7", K7}, {"8", K8},
    {"9", K9}, {"0", K0}, {"MINUS", MINUS}, {"EQUALS", EQUALS}, {"BACK", BACK}, {"TAB", TAB}, {"Q", Q}, {"W", W},
    {"E", E}, {"R", R}, {"T", T}, {"Y", Y}, {"U", U}, {"I", I}, {"O", O}, {"P", P}, {"LBRACKET", LBRACKET},
    {"RBRACKET", RBRACKET}, {"RETURN", RETURN}, {"LCONTROL", LCONTROL}, {"A", A}, {"S", S}, {"D", D}, {"F", F},
    {"G", G}, {"H", H}, {"J", J}, {"K", K}, {"L", L}, {"SEMICOLON", SEMICOLON}, {"APOSTROPHE", APOSTROPHE},
    {"GRAVE", GRAVE}, {"LSHIFT", LSHIFT}, {"BACKSLASH", BACKSLASH}, {"Z", Z}, {"X", X}, {"C", C}, {"V", V},
    {"B", B}, {"N", N}, {"M", M}, {"COMMA", COMMA}, {"PERIOD", PERIOD}, {"SLASH", SLASH}, {"RSHIFT", RSHIFT},
    {"MULTIPLY", MULTIPLY}, {"LMENU", LMENU}, {"SPACE", SPACE}, {"CAPITAL", CAPITAL}, {"F1", F1}, {"F2", F2},
    {"F3", F3}, {"F4", F4}, {"F5", F5}, {"F6", F6}, {"F7", F7}, {"F8", F8}, {"F9", F9}, {"F10", F10},
    {"NUMLOCK", NUMLOCK}, {"SCROLL", SCROLL}, {"NUMPAD7", NUMPAD7}, {"NUMPAD8", NUMPAD8}, {"NUMPAD9", NUMPAD9},
    {"SUBTRACT", SUBTRACT}, {"NUMPAD4", NUMPAD4}, {"NUMPAD5", NUMPAD5}, {"NUMPAD6", NUMPAD6}, {"ADD", ADD},
    {"NUMPAD1", NUMPAD1}, {"NUMPAD2", NUMPAD2}, {"NUMPAD3", NUMPAD3}, {"NUMPAD0", NUMPAD0}, {"DECIMAL", DECIMAL},
    {"OEM_102", OEM_102}, {"F11", F11}, {"F12", F12}, {"F13", F13}, {"F14", F14}, {"F15", F15}, {"KANA", KANA},
    {"ABNT_C1", ABNT_C1}, {"CONVERT", CONVERT}, {"NOCONVERT", NOCONVERT}, {"YEN", YEN},
    {"NUMPADEQUALS", NUMPADEQUALS}, {"PREVTRACK", PREVTRACK}, {"NEXTTRACK", NEXTTRACK},
    {"NUMPADENTER", NUMPADENTER}, {"RCONTROL", RCONTROL}, {"MUTE", MUTE}, {"CALCULATOR", CALCULATOR},
    {"PLAYPAUSE", PLAYPAUSE}, {"MEDIASTOP", MEDIASTOP}, {"VOLUMEDOWN", VOLUMEDOWN}, {"VOLUMEUP", VOLUMEUP},
    {"WEBHOME", WEBHOME}, {"NUMPADCOMMA", NUMPADCOMMA}, {"DIVIDE", DIVIDE}, {"SYSRQ", SYSRQ}, {"RMENU", RMENU},
    {"PAUSE", PAUSE}, {"HOME", HOME}, {"UP", UP}, {"PRIOR", PRIOR}, {"LEFT", LEFT}, {"RIGHT", RIGHT},
    {"END", END}, {"DOWN", DOWN}, {"NEXT", NEXT}, {"INSERT", INSERT}, {"DELETE", DELETE_}, {"LWIN", LWIN},
    {"RWIN", RWIN}, {"APPS", APPS}, {"POWER", POWER}, {"SLEEP", SLEEP}, {"WAKE", WAKE},
    {"WEBSEARCH", WEBSEARCH}, {"WEBFAVORITES", WEBFAVORITES}, {"WEBREFRESH", WEBREFRESH}, {"WEBSTOP", WEBSTOP},
    {"WEBFORWARD", WEBFORWARD}, {"WEBBACK", WEBBACK}, {"MYCOMPUTER", MYCOMPUTER}, {"MAIL", MAIL},
    {"MEDIASELECT", MEDIASELECT},
    // Aliases.
    {"BACKSPACE", BACK}, {"LALT", LMENU}, {"RALT", RMENU}, {"CAPSLOCK", CAPITAL}, {"NUMPADMINUS", SUBTRACT},
    {"NUMPADPLUS", ADD}, {"NUMPADPERIOD", DECIMAL}, {"NUMPADSTAR", MULTIPLY}, {"NUMPADSLASH", DIVIDE},
    {"UPARROW", UP}, {"DOWNARROW", DOWN}, {"LEFTARROW", LEFT}, {"RIGHTARROW", RIGHT}, {"PGUP", PRIOR},
    {"PGDN", NEXT}, {"ENTER", RETURN}, {"CTRL", LCONTROL}, {"ALT", LMENU}, {"SHIFT", LSHIFT},
};

}  // namespace

std::optional<uint8_t> FromName(std::string_view name) {
  std::string upper(name);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  if (upper.rfind("DIK_", 0) == 0) upper.erase(0, 4);
  for (const Entry& e : kKeys) {
    if (e.name == upper) return e.code;
  }
  return std::nullopt;
}

std::string_view Name(uint8_t code) {
  for (const Entry& e : kKeys) {
    if (e.code == code) return e.name;
  }
  return {};
}

}  // namespace sb::dik
