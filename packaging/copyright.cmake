# Writes the package's copyright file, in Debian's machine-readable format,
# from copyright.in: the game's licence from LICENSE, and the list of spoken
# recordings (speech and the two MP3s) from the sound tree's manifest.
#   cmake -DMANIFEST=... -DLICENSE=... -DTEMPLATE=... -DDATA_DIR=... -DOUTPUT=... -P copyright.cmake
cmake_minimum_required(VERSION 3.22)
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/sound_manifest.cmake)

sb_read_sound_manifest("${MANIFEST}" speech mp3)
set(SB_DATA_DIR "${DATA_DIR}")
set(SB_SPEECH_FILES "")
foreach(path IN LISTS SB_SOUND_PATHS)
  string(APPEND SB_SPEECH_FILES "\n ${DATA_DIR}/${path}")
endforeach()

# The licence's text after its copyright line, each line indented by one
# space and each blank line a " .".
file(STRINGS "${LICENSE}" lines)
set(SB_EXPAT_TEXT "")
set(started FALSE)
foreach(line IN LISTS lines)
  if(line MATCHES "^Permission is hereby granted")
    set(started TRUE)
  endif()
  if(NOT started)
    continue()
  endif()
  if(line STREQUAL "")
    string(APPEND SB_EXPAT_TEXT "\n .")
  else()
    string(APPEND SB_EXPAT_TEXT "\n ${line}")
  endif()
endforeach()
if(NOT started)
  message(FATAL_ERROR "${LICENSE} does not hold the licence's permission text")
endif()
string(SUBSTRING "${SB_EXPAT_TEXT}" 1 -1 SB_EXPAT_TEXT)

configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
