# Lays out the site after the page is linked: cmake -DBUILT=DIR -DSITE=DIR
# -DDATA=DIR -DSOURCE=DIR [-DSITE_URL=URL] -P site.cmake
#
# SITE gets index.html (with SITE_URL, the address the site is published at,
# before the preview picture's name: link previews want a whole URL), snolk.js,
# snolk.wasm, sw.js, data/ and files.txt, the list of what the page loads
# with the size of each, so that its progress line knows what is to come.
# Files that compress well get a .gz twin, as static hosts serve them.
cmake_minimum_required(VERSION 3.25)

foreach(name BUILT SITE DATA SOURCE)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "site.cmake needs -D${name}=...")
  endif()
endforeach()

file(MAKE_DIRECTORY ${SITE}/data)
file(READ ${BUILT}/snolk.html page)
string(REPLACE "@SITE_URL@" "${SITE_URL}" page "${page}")
# The audio clock is a module of its own, which the tests load; the page has
# it built in.
file(READ ${SOURCE}/audio_clock.js audio_clock)
string(REPLACE "/* @AUDIO_CLOCK@ */" "${audio_clock}" page "${page}")
file(WRITE ${SITE}/index.html "${page}")
file(COPY ${BUILT}/snolk.js ${BUILT}/snolk.wasm ${SOURCE}/sw.js DESTINATION ${SITE})

file(SIZE ${SITE}/snolk.wasm size)
set(list "snolk.wasm ${size}\n")
file(GLOB data_files LIST_DIRECTORIES false ${DATA}/*)
list(SORT data_files)
foreach(file ${data_files})
  get_filename_component(name ${file} NAME)
  file(COPY_FILE ${file} ${SITE}/data/${name} ONLY_IF_DIFFERENT)
  file(SIZE ${file} size)
  string(APPEND list "data/${name} ${size}\n")
endforeach()
file(WRITE ${SITE}/files.txt "${list}")

# A file gone from data/ goes from the site too, with its twin.
file(GLOB site_data LIST_DIRECTORIES false ${SITE}/data/*)
foreach(file ${site_data})
  get_filename_component(name ${file} NAME)
  string(REGEX REPLACE "\\.gz$" "" original ${name})
  if(NOT EXISTS ${DATA}/${original})
    file(REMOVE ${file})
  endif()
endforeach()

# Pictures and music are compressed already.
file(GLOB compressible ${SITE}/*.html ${SITE}/*.js ${SITE}/*.wasm ${SITE}/files.txt
     ${SITE}/data/*.bmp ${SITE}/data/*.loop)
foreach(file ${compressible})
  execute_process(COMMAND gzip -9 -n -k -f ${file} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${file}")
  endif()
endforeach()
