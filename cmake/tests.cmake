# GoogleTest from Debian's source package, built with our toolchain; one test exe per folder.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Built once per tree; its speed does not matter, its compile time does.
target_compile_options(gtest PRIVATE -O1)

include(cmake/fixtures.cmake)

file(GLOB SUPPORT_SOURCES CONFIGURE_DEPENDS tests/support/*.cpp)
list(REMOVE_ITEM SUPPORT_SOURCES ${CMAKE_SOURCE_DIR}/tests/support/keeper.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/holder.cpp)
# A program that holds a file open until its window is closed (copied as chrome.exe by tests).
add_executable(holder WIN32 tests/support/holder.cpp)
set_target_properties(holder PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_library(varnolt_testsupport STATIC ${SUPPORT_SOURCES})
target_link_libraries(varnolt_testsupport PUBLIC varnolt_core GTest::gtest)
target_precompile_headers(varnolt_testsupport PRIVATE ${VARNOLT_PCH} <gtest/gtest.h>)
# The tests' own code at -O1 (the program under test keeps the release build's -O3): GoogleTest's
# macros make long functions that -O3 compiles slowly, and the tests run the same either way.
target_compile_options(varnolt_testsupport PUBLIC -O1)
target_compile_definitions(varnolt_testsupport PUBLIC
  VARNOLT_STAGE_DIR="${STAGE_DIR}" VARNOLT_X86_STAGE_DIR="${X86_STAGE_DIR}" VARNOLT_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  VARNOLT_DIST_SETUP="${DIST_SETUP}" VARNOLT_HOLDER_EXE="${CMAKE_BINARY_DIR}/holder.exe"
  VARNOLT_FIXTURE_DIR="${FIXTURE_DIR}")

# Window tests run one at a time in each lane. A lane is a Wine prefix, wineserver and display
# of its own (wine-run, VARNOLT_WINE_LANE; lane 1 is the build's usual prefix), so the tests of
# one lane never see the windows, hot keys, focus, clipboard, registry or Recycle Bin of another.
# Folders whose tests drive windows, hot keys or the real program take a lane (balanced by their
# times; a lane more is one list more); the others and the fuzzers run beside them in lane 1's
# prefix.
set(DESKTOP_LANE_1 app)
set(DESKTOP_LANE_2 dpi)
set(DESKTOP_LANE_3 engine settings dialogs e2e e2e_x86 wipe language_de_DE language_ja_JP)
set(DESKTOP_LANES 1 2 3)
function(varnolt_desktop_lane test)
  foreach(lane ${DESKTOP_LANES})
    if(NOT test IN_LIST DESKTOP_LANE_${lane})
      continue()
    endif()
    if(lane EQUAL 1)
      set_tests_properties(${test} PROPERTIES RESOURCE_LOCK desktop)
    else()
      set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT VARNOLT_WINE_LANE=${lane})
      set_tests_properties(${test} PROPERTIES RESOURCE_LOCK desktop-${lane})
    endif()
  endforeach()
endfunction()

# The prefixes are made by the build (beside the compiler), not by the first tests: lane 1's by
# wineboot, the others as its copies. The markers are the wrapper's own, so a removed prefix is
# made again.
set(WINE_PREFIX_READY ${CMAKE_BINARY_DIR}/wineprefix/.varnolt-ready)
add_custom_command(OUTPUT ${WINE_PREFIX_READY} COMMAND ${WINE_RUN} --prepare DEPENDS ${WINE_RUN}
  COMMENT "Wine prefix" VERBATIM)
set(WINE_PREFIXES_READY ${WINE_PREFIX_READY})
foreach(lane ${DESKTOP_LANES})
  if(lane EQUAL 1)
    continue()
  endif()
  set(ready ${CMAKE_BINARY_DIR}/wineprefix-${lane}/.varnolt-ready)
  add_custom_command(OUTPUT ${ready}
    COMMAND ${CMAKE_COMMAND} -E env VARNOLT_WINE_LANE=${lane} ${WINE_RUN} --prepare
    DEPENDS ${WINE_RUN} ${WINE_PREFIX_READY} COMMENT "Wine prefix of lane ${lane}" VERBATIM)
  list(APPEND WINE_PREFIXES_READY ${ready})
endforeach()
add_custom_target(wine_prefix ALL DEPENDS ${WINE_PREFIXES_READY})

# Each folder's tests run in one process (a test process under Wine costs about a quarter of a
# second to start).
foreach(dir platform catalogue engine settings app dialogs e2e dpi)
  file(GLOB TEST_SOURCES CONFIGURE_DEPENDS tests/${dir}/*.cpp)
  if(NOT TEST_SOURCES)
    continue()
  endif()
  add_executable(test_${dir} ${TEST_SOURCES} $<TARGET_OBJECTS:varnolt_res>)
  target_link_libraries(test_${dir} PRIVATE varnolt_testsupport)
  target_precompile_headers(test_${dir} REUSE_FROM varnolt_testsupport)
  add_dependencies(test_${dir} keeper holder varnolt wine_prefix browser_fixtures)
  if(dir STREQUAL "e2e")
    add_dependencies(test_${dir} dist)
  endif()
  add_test(NAME ${dir} COMMAND test_${dir})
  set_tests_properties(${dir} PROPERTIES TIMEOUT 300)
  varnolt_desktop_lane(${dir})
endforeach()

# The Windows Installer packages' tests: the 64-bit package one build number later, for a major
# upgrade, outside dist/.
set(UPGRADE_MSI ${CMAKE_BINARY_DIR}/msi-upgrade/varnolt-upgrade-x64.msi)
add_custom_command(OUTPUT ${UPGRADE_MSI}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/msi-upgrade
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-msi.sh x64 ${DIST_DIR}/files/win64/varnolt ${VARNOLT_NEXT_MSI_VERSION}
    ${VARNOLT_VERSION}.1 ${DIST_DIR}/files/actions.dll ${CMAKE_SOURCE_DIR}/installer/varnolt.wxs ${UPGRADE_MSI}
  DEPENDS ${DIST_MSIS}
  VERBATIM)
add_custom_target(msi_upgrade DEPENDS ${UPGRADE_MSI})
add_dependencies(test_e2e msi_upgrade)
target_link_libraries(test_e2e PRIVATE msi)
list(GET DIST_MSIS 0 DIST_MSI_X64)
list(GET DIST_MSIS 1 DIST_MSI_X86)
target_compile_definitions(test_e2e PRIVATE VARNOLT_VERSION_TEXT="${VARNOLT_VERSION}"
  VARNOLT_DIST_MSI_X64="${DIST_MSI_X64}" VARNOLT_DIST_MSI_X86="${DIST_MSI_X86}" VARNOLT_UPGRADE_MSI="${UPGRADE_MSI}")

# The Group Policy templates: well-formed, every string and presentation they name defined.
add_test(NAME policy_templates COMMAND bash ${CMAKE_SOURCE_DIR}/tests/policy/check-templates.sh
  ${CMAKE_SOURCE_DIR}/installer/policy)

# The 32-bit program's end-to-end tests, in the same 64-bit prefix as on 64-bit Windows.
add_dependencies(test_e2e varnolt_x86)
add_test(NAME e2e_x86 COMMAND test_e2e
  --gtest_filter=CommandLineTest.*:StartupWash.*:SuppliedItems.*:Redirection.*)
set_tests_properties(e2e_x86 PROPERTIES ENVIRONMENT "VARNOLT_STAGE=${X86_STAGE_DIR}" TIMEOUT 300)
varnolt_desktop_lane(e2e_x86)

# A start under a German and a Japanese Windows user language (Wine takes it from LC_ALL).
foreach(locale de_DE ja_JP)
  add_test(NAME language_${locale} COMMAND test_e2e --gtest_also_run_disabled_tests
    --gtest_filter=DISABLED_UserLanguage.*)
  set_tests_properties(language_${locale} PROPERTIES ENVIRONMENT "LC_ALL=${locale}.UTF-8" TIMEOUT 120)
  varnolt_desktop_lane(language_${locale})
endforeach()

# The pure parsers, fuzzed natively with clang and libFuzzer (fuzz/run.sh): built with the
# program, a short run of each target in the test run, long runs with make fuzz.
add_custom_target(fuzz_targets ALL COMMAND bash ${CMAKE_SOURCE_DIR}/fuzz/run.sh ${CMAKE_BINARY_DIR}/fuzz build
  COMMENT "Fuzz targets" VERBATIM)
add_test(NAME fuzz_parsers COMMAND bash ${CMAKE_SOURCE_DIR}/fuzz/run.sh ${CMAKE_BINARY_DIR}/fuzz 2)
set_tests_properties(fuzz_parsers PROPERTIES TIMEOUT 120)

# Wiping free space on a loop-mounted ext4 image mapped to a drive letter (needs root and a loop
# device: skipped, with a message, without them).
add_test(NAME wipe COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/wipe-volume.sh ${CMAKE_BINARY_DIR})
set_tests_properties(wipe PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
varnolt_desktop_lane(wipe)
