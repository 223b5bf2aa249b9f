# The Windows build, cross-compiled with cmake/mingw-w64.cmake (make win).
# The libraries are the static ones scripts/build-win-deps builds from
# Debian's sources; they stand in under the names the desktop build's
# pkg-config and find modules give, so the engine's targets stay the same.
# SDL_image is the picture decoder of src/web on libpng and giflib, as in the
# web build. The programs link statically and need only system DLLs.
set(SNOLK_WIN_DEPS "$ENV{HOME}/.cache/snolk/win-deps"
    CACHE PATH "what scripts/build-win-deps made (its PREFIX)")
option(SNOLK_WINDOWS_TESTS "Build the test suite for Windows, run under wine by ctest" OFF)
if(NOT EXISTS "${SNOLK_WIN_DEPS}/lib/libSDL.a")
  message(FATAL_ERROR "no libSDL.a under SNOLK_WIN_DEPS='${SNOLK_WIN_DEPS}': run scripts/build-win-deps")
endif()
set(deps "${SNOLK_WIN_DEPS}")

enable_language(RC)

# libstdc++, libgcc and winpthreads inside the programs.
add_link_options(-static)

# A static library of the prefix, with what it needs after it.
function(snolk_windows_library name file)
  add_library(${name} STATIC IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${deps}/lib/${file}
                        INTERFACE_INCLUDE_DIRECTORIES ${deps}/include
                        INTERFACE_LINK_LIBRARIES "${ARGN}")
endfunction()
snolk_windows_library(snolk_win_zlib libz.a)
snolk_windows_library(PkgConfig::PNG libpng16.a snolk_win_zlib)
snolk_windows_library(GIF::GIF libgif.a)
snolk_windows_library(PkgConfig::MPG123 libmpg123.a shlwapi)

# SDL with SDLmain, which gives the programs their WinMain and calls main,
# and src/web before SDL's own folder: its SDL_image.h stands in for the real
# one.
add_library(snolk_win_sdl_image STATIC ${CMAKE_SOURCE_DIR}/src/web/SDL_image.cpp
                                       ${CMAKE_SOURCE_DIR}/src/web/picture_decoder.cpp)
target_include_directories(snolk_win_sdl_image PUBLIC ${CMAKE_SOURCE_DIR}/src/web
                           ${deps}/include/SDL PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(snolk_win_sdl_image PUBLIC
  PkgConfig::PNG GIF::GIF mingw32 ${deps}/lib/libSDLmain.a ${deps}/lib/libSDL.a
  user32 gdi32 winmm dxguid)
add_library(PkgConfig::SDL ALIAS snolk_win_sdl_image)

# A program's resources (cmake/snolk.rc.in): the icon mkassets draws
# (release/snolk.ico, made again by make assets), the project's version and
# the manifest.
function(snolk_windows_resources program description)
  set(SNOLK_PROGRAM ${program})
  set(SNOLK_DESCRIPTION ${description})
  set(SNOLK_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
  string(REPLACE "." "," SNOLK_VERSION_COMMAS ${SNOLK_VERSION_QUAD})
  set(SNOLK_ICON ${CMAKE_SOURCE_DIR}/release/snolk.ico)
  set(SNOLK_MANIFEST ${CMAKE_BINARY_DIR}/resources/${program}.manifest)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/snolk.manifest ${SNOLK_MANIFEST} @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/snolk.rc.in ${CMAKE_BINARY_DIR}/resources/${program}.rc
                 @ONLY)
  target_sources(${program} PRIVATE ${CMAKE_BINARY_DIR}/resources/${program}.rc)
  set_property(SOURCE ${CMAKE_BINARY_DIR}/resources/${program}.rc APPEND PROPERTY
               OBJECT_DEPENDS ${SNOLK_ICON} ${SNOLK_MANIFEST})
endfunction()

# What the engine's targets need once they exist.
function(snolk_windows_programs)
  snolk_windows_resources(snolk "the snolk demo")
  snolk_windows_resources(snolk-render "the snolk demo's renderer")
  # A windowed program: a viewer who double-clicks it gets no console
  # window; it writes to the console it was started from (useStartingConsole).
  set_target_properties(snolk PROPERTIES WIN32_EXECUTABLE ON)
  # The data files beside the programs, where they look for them.
  add_custom_target(snolk_win_data ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data ${CMAKE_BINARY_DIR}/data)
endfunction()
cmake_language(DEFER CALL snolk_windows_programs)

# wine in a prefix of this build folder's own (wine/), so that the tests of
# two clones, each starting and ending wine servers, never meet: a prefix
# has one server, and its programs all run in it. ctest runs the .exe files
# through it.
set(SNOLK_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
file(WRITE ${SNOLK_WINE_RUN}
  "#!/bin/sh\n# scripts/wine-run in this build folder's own wine prefix (made by CMake).\n"
  "WINEPREFIX='${CMAKE_BINARY_DIR}/wine' exec '${CMAKE_SOURCE_DIR}/scripts/wine-run' \"$@\"\n")
file(CHMOD ${SNOLK_WINE_RUN} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
     GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${SNOLK_WINE_RUN})

if(SNOLK_WINDOWS_TESTS)
  enable_testing()
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests/windows ${CMAKE_BINARY_DIR}/tests)
endif()
