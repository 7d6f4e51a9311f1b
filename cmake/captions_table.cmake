# Writes the captions table: the words of every spoken recording in the sound
# tree's manifest, keyed by its path (lower case, forward slashes), so the
# window can show what the player hears and the player's own voice can say
# them. Effects and music have no words. A spoken recording with sounds of
# its own (a bed under the words, sounds after them) names the "bare" row
# that holds those sounds without the words.
#   cmake -DMANIFEST=... -DOUTPUT=... -P captions_table.cmake
# A list in CMake splits at ";" and nests at brackets: they are set aside
# before the text is cut into lines and fields, and put back in the words.
file(READ "${MANIFEST}" content)
string(REPLACE ";" "@SEMI@" content "${content}")
string(REPLACE "[" "@OPEN@" content "${content}")
string(REPLACE "]" "@CLOSE@" content "${content}")
string(REPLACE "\n" ";" lines "${content}")
# Paths as the table keys them: lower case, forward slashes.
function(sb_table_path var text)
  string(STRIP "${text}" text)
  string(TOLOWER "${text}" text)
  string(REPLACE "\\" "/" text "${text}")
  set(${var} "${text}" PARENT_SCOPE)
endfunction()
# One pass over the rows: the words of each spoken one, and the bare row that
# each bare row's content names.
set(spoken "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*(#|$)")
    continue()
  endif()
  string(REPLACE "|" ";" fields "${line}")
  list(LENGTH fields count)
  if(count LESS 6)
    continue()
  endif()
  list(GET fields 0 path)
  list(GET fields 1 kind)
  list(GET fields 5 words)
  string(STRIP "${kind}" kind)
  sb_table_path(path "${path}")
  if(kind STREQUAL "bare")
    sb_table_path(source "${words}")
    set("bare_of_${source}" "${path}")
  elseif(kind STREQUAL "speech")
    # The words end where the recording's bed or follow-on sounds are named.
    string(REGEX REPLACE "[ \t]+(then|over):.*$" "" words "${words}")
    string(STRIP "${words}" words)
    string(REPLACE "@SEMI@" ";" words "${words}")
    string(REPLACE "@OPEN@" "[" words "${words}")
    string(REPLACE "@CLOSE@" "]" words "${words}")
    list(APPEND spoken "${path}")
    set("words_of_${path}" "${words}")
  endif()
endforeach()
set(rows "")
foreach(path IN LISTS spoken)
  string(APPEND rows "    {R\"sbc(${path})sbc\", R\"sbc(${words_of_${path}})sbc\", \"${bare_of_${path}}\"},\n")
endforeach()
set(text "// Generated from the sound tree's manifest; do not edit.\n#include \"audio/captions.h\"\n\nnamespace sb {\n\nconst CaptionEntry kCaptionTable[] = {\n${rows}};\nconst size_t kCaptionTableSize = sizeof(kCaptionTable) / sizeof(kCaptionTable[0]);\n\n}  // namespace sb\n")
# Rewritten only when it changes, so an edit to an effect's recipe rebuilds nothing.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL text)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${text}")
