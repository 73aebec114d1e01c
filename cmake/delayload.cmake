# Delay-loaded system libraries: the program loads them at their first call instead of at start.
# A command-line run (/wipe, /wash, /list) then starts without the window libraries, and with
# them without the display driver that the common controls' start-up pulls in.
# varnolt_delay_libraries(<var> <lib>=<dll> ...) sets <var> to a delay-import library of each
# <lib>, made at configure time from the toolchain's import library (every export it lists), and
# the loader's helper. They go ahead of the ordinary import libraries on the link line, so that
# every call of these libraries goes through them.
string(REPLACE "windres" "dlltool" DLLTOOL ${CMAKE_RC_COMPILER})
string(REPLACE "windres" "nm" IMPORT_NM ${CMAKE_RC_COMPILER})
set(DELAY_DIR ${CMAKE_BINARY_DIR}/delayload)

function(varnolt_delay_libraries var)
  file(MAKE_DIRECTORY ${DELAY_DIR})
  set(libs)
  foreach(pair IN LISTS ARGN)
    string(REPLACE "=" ";" parts ${pair})
    list(GET parts 0 lib)
    list(GET parts 1 dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${lib}.a
                    OUTPUT_VARIABLE import OUTPUT_STRIP_TRAILING_WHITESPACE)
    execute_process(COMMAND ${IMPORT_NM} ${import} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "cannot read the import library ${import}")
    endif()
    string(REGEX MATCHALL "__imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
    list(TRANSFORM imports REPLACE "^__imp_" "")
    list(REMOVE_DUPLICATES imports)
    list(JOIN imports "\n" names)
    set(def "LIBRARY ${dll}\nEXPORTS\n${names}\n")
    file(WRITE ${DELAY_DIR}/${lib}.def "${def}")
    set(out ${DELAY_DIR}/libdelay_${lib}.a)
    execute_process(COMMAND ${DLLTOOL} --input-def ${DELAY_DIR}/${lib}.def --output-delaylib ${out}
                    RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "dlltool could not make ${out}")
    endif()
    list(APPEND libs ${out})
  endforeach()
  set(${var} ${libs} delayimp PARENT_SCOPE)
endfunction()
