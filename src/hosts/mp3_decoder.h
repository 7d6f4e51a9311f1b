#pragma once
// MP3 recordings decoded with libmpg123, a piece at a time. The file is fed
// to the decoder in small blocks as the player asks for sound, so neither
// the file nor its sound is ever held whole. Every file is untrusted: junk,
// a changing format or a file with no sound ends the stream or refuses it,
// and the work of one read is bounded.

#include <filesystem>
#include <istream>
#include <memory>
#include <string>

#include "audio/sound_stream.h"

namespace sb {

// Throws RuntimeError for a missing file or one with no MP3 sound at its start.
std::unique_ptr<SoundStream> OpenMp3File(const std::filesystem::path& path);
// The same over any source of bytes; `label` names it in errors.
std::unique_ptr<SoundStream> OpenMp3Stream(std::unique_ptr<std::istream> source, const std::string& label);

}  // namespace sb
