# help.chm, compiled by chmcmd (Free Pascal) from data/help and staged beside varnolt.exe.
find_program(CHMCMD chmcmd REQUIRED)
file(GLOB HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/help/*)
set(HELP_CHM ${CMAKE_BINARY_DIR}/help/help.chm)
add_custom_command(OUTPUT ${HELP_CHM}
  COMMAND ${CMAKE_SOURCE_DIR}/cmake/build-help.sh ${CMAKE_SOURCE_DIR}/data/help ${CMAKE_BINARY_DIR}/help ${STAGE_DIR}
  DEPENDS ${HELP_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/build-help.sh
  COMMENT "Compiling help.chm"
  VERBATIM)
add_custom_target(varnolt_help ALL DEPENDS ${HELP_CHM})
add_dependencies(varnolt varnolt_help)
