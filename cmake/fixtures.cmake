# The browser fixtures (tests/fixtures/browsers), unpacked into the build tree whenever one of them
# changes; tests find them through VARNOLT_FIXTURE_DIR.
set(FIXTURE_SOURCE_DIR ${CMAKE_SOURCE_DIR}/tests/fixtures/browsers)
set(FIXTURE_DIR ${CMAKE_BINARY_DIR}/fixtures/browsers)
file(GLOB_RECURSE FIXTURE_FILES CONFIGURE_DEPENDS ${FIXTURE_SOURCE_DIR}/chromium/* ${FIXTURE_SOURCE_DIR}/firefox/*
  ${FIXTURE_SOURCE_DIR}/variants/*)
add_custom_command(OUTPUT ${FIXTURE_DIR}/.unpacked
  COMMAND bash ${FIXTURE_SOURCE_DIR}/unpack.sh ${FIXTURE_DIR}
  DEPENDS ${FIXTURE_FILES} ${FIXTURE_SOURCE_DIR}/unpack.sh COMMENT "Browser fixtures" VERBATIM)
add_custom_target(browser_fixtures ALL DEPENDS ${FIXTURE_DIR}/.unpacked)
