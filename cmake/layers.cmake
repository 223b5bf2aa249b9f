# The engine's layers, each a library of its own: gfx <- scenes <- drivers,
# and a platform above them (the desktop's shell, the page). A layer's
# sources see only their own headers and those of the layers they link, so
# an include of a higher layer does not build. Every layer's headers are
# included as "layer/file.h"; each layer gets an include folder of its own
# in the build tree holding one link, named after the layer, to its source
# folder.

set(SNOLK_SRC ${CMAKE_CURRENT_LIST_DIR}/../src)
get_filename_component(SNOLK_SRC ${SNOLK_SRC} ABSOLUTE)

# Adds the static library `target` from src/<layer>/*.cpp (less `exclude`, a
# regular expression), whose headers its users reach as "<layer>/...".
function(snolk_layer target layer)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "EXCLUDE" "LINKS")
  file(GLOB sources CONFIGURE_DEPENDS ${SNOLK_SRC}/${layer}/*.cpp)
  if(arg_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${arg_EXCLUDE}")
  endif()
  add_library(${target} STATIC ${sources})
  set(root ${CMAKE_BINARY_DIR}/layers/${layer})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${SNOLK_SRC}/${layer} ${root}/${layer} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${arg_LINKS})
endfunction()
