# The include check on the engine's sources (they pass), and on copies with
# an include planted that climbs out of gfx and one out of scenes (each
# fails).
#
#   cmake -DSOURCE=<repository> -DWORK=<scratch folder> -P planted_includes.cmake
set(check ${SOURCE}/cmake/includes_in_layers.cmake)
execute_process(COMMAND ${CMAKE_COMMAND} -DFOLDER=${SOURCE}/src -P ${check}
                RESULT_VARIABLE status ERROR_VARIABLE said)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the sources fail the include check:\n${said}")
endif()
foreach(planted "gfx/pixels.cpp:../shell/music.h" "scenes/show.cpp:gfx/../../web/frame_pacer.h")
  string(REPLACE ":" ";" parts ${planted})
  list(GET parts 0 file)
  list(GET parts 1 include)
  file(REMOVE_RECURSE ${WORK}/src)
  get_filename_component(layer ${file} DIRECTORY)
  file(COPY ${SOURCE}/src/${layer} DESTINATION ${WORK}/src)
  file(READ ${SOURCE}/src/${file} text)
  file(WRITE ${WORK}/src/${file} "#include \"${include}\"\n${text}")
  execute_process(COMMAND ${CMAKE_COMMAND} -DFOLDER=${WORK}/src -P ${check}
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  if(status EQUAL 0)
    message(FATAL_ERROR "an include of ${include} in ${file} passed the check")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK}/src)
