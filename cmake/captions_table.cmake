# Writes the captions table: the words of every spoken recording in the sound
# tree's manifest, keyed by its path (lower case, forward slashes), so the
# window can show what the player hears and the player's own voice can say
# them. Effects and music have no words. A spoken recording with sounds of
# its own (a bed under the words, sounds after them) names the "bare" row
# that holds those sounds without the words.
#   cmake -DMANIFEST=... -DOUTPUT=... -P captions_table.cmake
cmake_minimum_required(VERSION 3.22)
include(${CMAKE_CURRENT_LIST_DIR}/sound_manifest.cmake)
sb_read_sound_manifest("${MANIFEST}" speech bare)
# The words of each spoken row, and the bare row that each bare row's content names.
set(spoken "")
foreach(row IN ZIP_LISTS SB_SOUND_PATHS SB_SOUND_KINDS SB_SOUND_WORDS)
  if(row_1 STREQUAL "bare")
    sb_sound_path(source "${row_2}")
    set("bare_of_${source}" "${row_0}")
  else()
    sb_sound_words_text("${row_2}" words)
    list(APPEND spoken "${row_0}")
    set("words_of_${row_0}" "${words}")
  endif()
endforeach()
set(rows "")
foreach(path IN LISTS spoken)
  string(APPEND rows "    {R\"sbc(${path})sbc\", R\"sbc(${words_of_${path}})sbc\", \"${bare_of_${path}}\"},\n")
endforeach()
set(text "// Generated from the sound tree's manifest; do not edit.\n#include \"audio/captions.h\"\n\nnamespace sb {\n\nconst CaptionEntry kCaptionTable[] = {\n${rows}};\nconst size_t kCaptionTableSize = sizeof(kCaptionTable) / sizeof(kCaptionTable[0]);\n\n}  // namespace sb\n")
# Rewritten only when it changes, so an edit to an effect's recipe rebuilds nothing.
sb_write_if_changed("${OUTPUT}" "${text}")
