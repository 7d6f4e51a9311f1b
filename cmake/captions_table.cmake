# Writes the captions table: the words of every spoken recording in the sound
# tree's manifest, keyed by its path (lower case, forward slashes), so the
# window can show what the player hears. Effects and music have no words.
#   cmake -DMANIFEST=... -DOUTPUT=... -P captions_table.cmake
cmake_minimum_required(VERSION 3.22)
include(${CMAKE_CURRENT_LIST_DIR}/sound_manifest.cmake)
sb_read_sound_manifest("${MANIFEST}" speech)
set(rows "")
foreach(row IN ZIP_LISTS SB_SOUND_PATHS SB_SOUND_WORDS)
  sb_sound_words_text("${row_1}" words)
  string(APPEND rows "    {R\"sbc(${row_0})sbc\", R\"sbc(${words})sbc\"},\n")
endforeach()
# Rewritten only when it changes, so an edit to an effect's recipe rebuilds nothing.
sb_write_if_changed("${OUTPUT}" "// Generated from the sound tree's manifest; do not edit.\n#include \"audio/captions.h\"\n\nnamespace sb {\n\nconst CaptionEntry kCaptionTable[] = {\n${rows}};\nconst size_t kCaptionTableSize = sizeof(kCaptionTable) / sizeof(kCaptionTable[0]);\n\n}  // namespace sb\n")
