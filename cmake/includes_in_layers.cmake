# Fails when a source under FOLDER includes a file by a path that climbs out
# of the layers' include folders: a ".." anywhere in it, or an absolute path.
# The layers' include folders already refuse an include of a higher layer
# by its layer path; this refuses the way around them.
#
#   cmake -DFOLDER=src -P includes_in_layers.cmake
if(NOT DEFINED FOLDER)
  message(FATAL_ERROR "includes_in_layers.cmake needs -DFOLDER=...")
endif()
file(GLOB_RECURSE sources ${FOLDER}/*.h ${FOLDER}/*.cpp ${FOLDER}/*.c)
set(climbing "")
foreach(source ${sources})
  file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  foreach(line ${lines})
    if(line MATCHES "#[ \t]*include[ \t]*[\"<]([^\">]*)[\">]")
      set(path "${CMAKE_MATCH_1}")
      if(path MATCHES "(^|/)\\.\\.(/|$)" OR path MATCHES "^/")
        string(APPEND climbing "  ${source}: ${line}\n")
      endif()
    endif()
  endforeach()
endforeach()
if(climbing)
  message(FATAL_ERROR "includes that climb out of the layers' folders:\n${climbing}")
endif()
