#pragma once
// Where the program's read-only files (the sound tree and the shipped key map)
// are: beside the program in a build folder, or in the data folder of an
// install, PREFIX/share/games/starbarrow beside PREFIX/games.

#include <filesystem>

namespace sb {

// The program folder for a program in `exeDir`: `exeDir` itself when it holds
// the shipped key map or the sound tree, else the installed data folder when
// that exists, else `exeDir` (whose missing files the errors then name).
std::filesystem::path FindProgramFolder(const std::filesystem::path& exeDir);

// The folder of the running executable.
std::filesystem::path ExecutableDir();

}  // namespace sb
