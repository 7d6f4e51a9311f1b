# Reads the sound tree's manifest (tools/soundgen/manifest.txt) for the files
# the build makes from it besides the tree itself.
#
# sb_read_sound_manifest(MANIFEST KIND...) sets, for each row of one of the
# kinds (speech, bare, effect, music, mp3), in the caller's scope:
#   SB_SOUND_PATHS  the recording's path as the tree holds it: lower case,
#                   forward slashes (sb_sound_path)
#   SB_SOUND_KINDS  the row's kind
#   SB_SOUND_WORDS  what a speech row says, without the sounds or the bed after
#                   its words (for other kinds, the row's content)
# A list in CMake splits at ";" and nests at brackets, so the words hold
# @SEMI@, @OPEN@ and @CLOSE@ in their place; sb_sound_words_text() puts them back.
function(sb_read_sound_manifest manifest)
  file(READ "${manifest}" content)
  string(REPLACE ";" "@SEMI@" content "${content}")
  string(REPLACE "[" "@OPEN@" content "${content}")
  string(REPLACE "]" "@CLOSE@" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  set(paths "")
  set(kinds "")
  set(all_words "")
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
    if(NOT kind IN_LIST ARGN)
      continue()
    endif()
    sb_sound_path(path "${path}")
    if(kind STREQUAL "speech")
      # The words end where the recording's bed or follow-on sounds are named.
      string(REGEX REPLACE "[ \t]+(then|over):.*$" "" words "${words}")
    endif()
    string(STRIP "${words}" words)
    list(APPEND paths "${path}")
    list(APPEND kinds "${kind}")
    list(APPEND all_words "${words}")
  endforeach()
  set(SB_SOUND_PATHS "${paths}" PARENT_SCOPE)
  set(SB_SOUND_KINDS "${kinds}" PARENT_SCOPE)
  set(SB_SOUND_WORDS "${all_words}" PARENT_SCOPE)
endfunction()

# A recording's path as the tree and the captions table key it: lower case,
# forward slashes.
function(sb_sound_path var text)
  string(STRIP "${text}" text)
  string(TOLOWER "${text}" text)
  string(REPLACE "\\" "/" text "${text}")
  set(${var} "${text}" PARENT_SCOPE)
endfunction()

function(sb_sound_words_text words out)
  string(REPLACE "@SEMI@" ";" words "${words}")
  string(REPLACE "@OPEN@" "[" words "${words}")
  string(REPLACE "@CLOSE@" "]" words "${words}")
  set(${out} "${words}" PARENT_SCOPE)
endfunction()

# Writes `text` to `output` only when it differs from what is there, so what
# depends on the file is not rebuilt for nothing.
function(sb_write_if_changed output text)
  if(EXISTS "${output}")
    file(READ "${output}" old)
    if(old STREQUAL text)
      return()
    endif()
  endif()
  file(WRITE "${output}" "${text}")
endfunction()
