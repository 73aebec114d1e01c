# SQLite, compiled by our compilers from the amalgamation made once from Debian's source package
# (scripts/install-deps.sh unpacks it into .deps/sqlite3; both builds share the amalgamation).
set(SQLITE_SOURCE_DIR ${CMAKE_SOURCE_DIR}/.deps/sqlite3)
set(SQLITE_AMALGAMATION_DIR ${CMAKE_SOURCE_DIR}/.deps/sqlite3-amalgamation)
if(NOT EXISTS ${SQLITE_AMALGAMATION_DIR}/sqlite3.c)
  if(NOT EXISTS ${SQLITE_SOURCE_DIR}/.complete)
    message(FATAL_ERROR "SQLite's source package is missing: run scripts/install-deps.sh (make deps)")
  endif()
  message(STATUS "Making SQLite's amalgamation")
  set(work ${CMAKE_SOURCE_DIR}/.deps/sqlite3-work)
  file(REMOVE_RECURSE ${work})
  file(MAKE_DIRECTORY ${work})
  # The host's own compiler builds the tools that make the amalgamation.
  execute_process(COMMAND env -u CC -u CFLAGS ${SQLITE_SOURCE_DIR}/configure --disable-tcl
    WORKING_DIRECTORY ${work} OUTPUT_QUIET RESULT_VARIABLE failed)
  if(NOT failed)
    execute_process(COMMAND make sqlite3.c WORKING_DIRECTORY ${work} OUTPUT_QUIET RESULT_VARIABLE failed)
  endif()
  if(failed)
    message(FATAL_ERROR "SQLite's amalgamation could not be made in ${work}")
  endif()
  file(MAKE_DIRECTORY ${SQLITE_AMALGAMATION_DIR}-new)
  file(COPY ${work}/sqlite3.c ${work}/sqlite3.h DESTINATION ${SQLITE_AMALGAMATION_DIR}-new)
  file(COPY ${SQLITE_SOURCE_DIR}/.debian-version DESTINATION ${SQLITE_AMALGAMATION_DIR}-new)
  file(RENAME ${SQLITE_AMALGAMATION_DIR}-new ${SQLITE_AMALGAMATION_DIR})
  file(REMOVE_RECURSE ${work})
endif()

add_library(varnolt_sqlite STATIC ${SQLITE_AMALGAMATION_DIR}/sqlite3.c)
target_include_directories(varnolt_sqlite SYSTEM PUBLIC ${SQLITE_AMALGAMATION_DIR})
# No extensions are loaded; deleted content is overwritten by the databases that ask for it.
target_compile_definitions(varnolt_sqlite PRIVATE SQLITE_OMIT_LOAD_EXTENSION SQLITE_DEFAULT_MEMSTATUS=0
  SQLITE_THREADSAFE=1 SQLITE_WIN32_NO_ANSI)
target_compile_options(varnolt_sqlite PRIVATE -w -O2)
