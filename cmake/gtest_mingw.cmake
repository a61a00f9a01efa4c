# GoogleTest for the Windows build, compiled from its sources: Debian's in
# /usr/src/googletest (package googletest, pulled in by libgtest-dev), or a checkout
# named by -DLV_GOOGLETEST_DIR=... when building on Windows itself. Without sources
# an installed GoogleTest is used (find_package), and without that there are no
# GoogleTest targets and the Windows tests are left out.
# Gives the same targets as find_package(GTest): GTest::gtest, GTest::gtest_main,
# GTest::gmock and GTest::gmock_main. Safe to include more than once.
include_guard(GLOBAL)

if(TARGET GTest::gtest_main)
  return()
endif()

set(LV_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows build")
if(NOT EXISTS ${LV_GOOGLETEST_DIR}/googletest/src/gtest-all.cc)
  find_package(GTest QUIET)
  if(NOT TARGET GTest::gtest_main)
    message(WARNING "GoogleTest not found (no sources in ${LV_GOOGLETEST_DIR}, none installed): "
                    "the Windows tests are not built. Set LV_GOOGLETEST_DIR to a GoogleTest checkout.")
  endif()
  return()
endif()

set(_lv_gt ${LV_GOOGLETEST_DIR}/googletest)
set(_lv_gm ${LV_GOOGLETEST_DIR}/googlemock)

function(_lv_gtest_library name)
  add_library(${name} STATIC ${ARGN})
  # Third-party code: our -Werror set of warnings is not its concern.
  target_compile_options(${name} PRIVATE -w)
  set_target_properties(${name} PROPERTIES ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/googletest)
endfunction()

_lv_gtest_library(lv_gtest ${_lv_gt}/src/gtest-all.cc)
target_include_directories(lv_gtest SYSTEM PUBLIC ${_lv_gt}/include)
target_include_directories(lv_gtest PRIVATE ${_lv_gt})

_lv_gtest_library(lv_gtest_main ${_lv_gt}/src/gtest_main.cc)
target_link_libraries(lv_gtest_main PUBLIC lv_gtest)

# gmock only gets built when a test links it.
_lv_gtest_library(lv_gmock ${_lv_gm}/src/gmock-all.cc)
set_target_properties(lv_gmock PROPERTIES EXCLUDE_FROM_ALL ON)
target_include_directories(lv_gmock SYSTEM PUBLIC ${_lv_gm}/include)
target_include_directories(lv_gmock PRIVATE ${_lv_gm})
target_link_libraries(lv_gmock PUBLIC lv_gtest)

_lv_gtest_library(lv_gmock_main ${_lv_gm}/src/gmock_main.cc)
set_target_properties(lv_gmock_main PROPERTIES EXCLUDE_FROM_ALL ON)
target_link_libraries(lv_gmock_main PUBLIC lv_gmock)

add_library(GTest::gtest ALIAS lv_gtest)
add_library(GTest::gtest_main ALIAS lv_gtest_main)
add_library(GTest::gmock ALIAS lv_gmock)
add_library(GTest::gmock_main ALIAS lv_gmock_main)

unset(_lv_gt)
unset(_lv_gm)
