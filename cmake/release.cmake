# The Windows release zip, made with every build of both programs (target release_zip,
# scripts/package.sh): build/win/release/lumora-valikko-<version>-win-x64.zip.
# scripts/release.sh builds it from a clean state. Needs bash, zip and sha256sum
# (scripts/deps.sh installs them); without them there is no release target.
include_guard(GLOBAL)

file(STRINGS ${PROJECT_SOURCE_DIR}/app/resources/version.h lv_version_line
  REGEX "^#define LV_VERSION_TEXT \"[^\"]+\"")
string(REGEX REPLACE ".*\"([^\"]+)\".*" "\\1" LV_RELEASE_VERSION "${lv_version_line}")
find_program(LV_BASH bash)
find_program(LV_ZIP zip)
find_program(LV_SHA256SUM sha256sum)
if(NOT LV_BASH OR NOT LV_ZIP OR NOT LV_SHA256SUM OR NOT TARGET valikkotarkistus)
  message(STATUS "bash, zip, sha256sum or the checker missing: no release zip")
  return()
endif()

set(LV_RELEASE_ZIP ${PROJECT_BINARY_DIR}/release/lumora-valikko-${LV_RELEASE_VERSION}-win-x64.zip)
add_custom_command(OUTPUT ${LV_RELEASE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/release
  COMMAND ${LV_BASH} ${PROJECT_SOURCE_DIR}/scripts/package.sh ${LV_RELEASE_ZIP}
    $<TARGET_FILE:lumora-valikko> $<TARGET_FILE:valikkotarkistus>
    ${PROJECT_SOURCE_DIR}/docs/ohje.md
  DEPENDS lumora-valikko valikkotarkistus ${PROJECT_SOURCE_DIR}/docs/ohje.md
    ${PROJECT_SOURCE_DIR}/scripts/package.sh
  COMMENT "Packing ${LV_RELEASE_ZIP}"
  VERBATIM)
add_custom_target(release_zip ALL DEPENDS ${LV_RELEASE_ZIP})
