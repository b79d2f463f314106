# Shared build rules. Every folder of the layout is one static library whose sources are
# the .cpp files in it; tests, benchmarks and fuzz targets are found the same way, so adding
# a file never means editing a build script.

set(VANTOREL_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

add_library(vantorel_options INTERFACE)
target_include_directories(vantorel_options INTERFACE ${VANTOREL_ROOT})
target_compile_options(vantorel_options INTERFACE -Wall -Wextra)
if(VANTOREL_WERROR)
  target_compile_options(vantorel_options INTERFACE -Werror)
endif()
if(VANTOREL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(VANTOREL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VANTOREL_FUZZ needs clang (CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

find_package(Threads REQUIRED)
find_package(GTest REQUIRED)
include(GoogleTest)

# What the player tests are told: the sources, the build folder and the installation folder that
# the build lays out from assets/ (tools/vantorel-assets).
set(VANTOREL_TEST_ENVIRONMENT
  "VANTOREL_SOURCE_DIR=${VANTOREL_ROOT};VANTOREL_BINARY_DIR=${CMAKE_BINARY_DIR};VANTOREL_INSTALL_DIR=${CMAKE_BINARY_DIR}/install")

# vantorel_library(<name> [DEPENDS <targets>...])
# The library of the folder that calls it, from every .cpp file there and in its subfolders
# (a subfolder with a CMakeLists.txt of its own builds something else and is left out).
function(vantorel_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB_RECURSE own_builds ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  foreach(own_build ${own_builds})
    get_filename_component(own_folder ${own_build} DIRECTORY)
    list(FILTER sources EXCLUDE REGEX "^${own_folder}/")
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC vantorel_options ${ARG_DEPENDS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE vantorel_options ${ARG_DEPENDS})
  endif()
endfunction()

# vantorel_tests(<library>): one GoogleTest program per library from tests/<library>/*.cpp.
function(vantorel_tests lib)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${lib}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${lib}_tests ${sources})
  target_link_libraries(${lib}_tests PRIVATE ${lib} vantorel_testsupport GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${lib}_tests
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${lib} ENVIRONMENT "VANTOREL_SOURCE_DIR=${VANTOREL_ROOT};VANTOREL_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# vantorel_player_test(<name> <script.mjs> [args...]): a node script run by CTest under the
# "player" label. It is given the build folder so it can find the movies the C++ tests wrote.
# A check keeps about three cores busy (the script, the browser and its page, the player's
# frames), and is counted so: eight of them at once on eight cores drew so few frames a second
# that movies missed their checks.
function(vantorel_player_test name script)
  if(NOT VANTOREL_PLAYER_TESTS)
    return()
  endif()
  add_test(NAME ${name} COMMAND node ${script} ${ARGN} WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(${name} PROPERTIES LABELS player PROCESSORS 3
    ENVIRONMENT "${VANTOREL_TEST_ENVIRONMENT};NODE_PATH=${VANTOREL_ROOT}/tests/player/node_modules")
endfunction()

find_package(ZLIB REQUIRED)
find_package(JPEG REQUIRED)
find_package(OpenSSL REQUIRED COMPONENTS Crypto)
find_package(pugixml REQUIRED)
# Debian's libzip CMake package also demands its command-line tools; pkg-config does not.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)

# Everything, for programs that sit above all layers (tools, benchmarks, fuzz targets, player
# test movie makers).
function(vantorel_link_all target)
  target_link_libraries(${target} PRIVATE app pages propui platform publish sheet model swf base vantorel_options)
endfunction()

# Links a program named <library>_<rest> with that library only, so that a half-built
# neighbour never breaks it; a program whose name starts with no library gets everything.
# The tool libraries (tools/<name>/ with a library of their own) count as libraries here.
function(vantorel_link_by_name target stem)
  set(layers base swf model sheet publish platform propui pages app actionscript)
  string(REGEX MATCH "^[a-z]+" lib ${stem})
  if(lib IN_LIST layers)
    target_link_libraries(${target} PRIVATE ${lib})
  else()
    vantorel_link_all(${target})
  endif()
endfunction()
