// Writes the key map that ships with the program: the default keys and
// joystick buttons of the thirteen actions, state flags clear.

#include <iostream>

#include "hosts/file_store.h"
#include "platform/key_map.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_keymap OUTPUT\n";
    return 2;
  }
  if (!sb::WriteFileAtomically(argv[1], sb::EncodeKeyMap(sb::DefaultActionTable()))) {
    std::cerr << "make_keymap: cannot write " << argv[1] << '\n';
    return 1;
  }
  return 0;
}
