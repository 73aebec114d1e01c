# Converts Tango theme images into .ico files for the resources, at every size from 16 to 64
# pixels that a display scaling asks for.
set(TANGO_DIR /usr/share/icons/Tango)
set(ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(ICON_MAP
  app:actions/edit-clear prefs:categories/preferences-system exclude:actions/process-stop
  viewlog:mimetypes/text-x-generic deletelog:actions/edit-delete import:actions/document-open
  export:actions/document-save-as about:status/dialog-information help:apps/help-browser
  preview:actions/document-print-preview wash:actions/edit-clear exit:actions/system-log-out
  add:actions/list-add edit:apps/accessories-text-editor remove:actions/list-remove
  up:actions/go-up down:actions/go-down checkall:actions/edit-select-all
  uncheckall:actions/edit-undo wipe:devices/drive-harddisk cookies:apps/internet-web-browser)
set(ICON_FILES)
foreach(pair ${ICON_MAP})
  string(REPLACE ":" ";" parts ${pair})
  list(GET parts 0 name)
  list(GET parts 1 image)
  set(out ${ICON_DIR}/${name}.ico)
  # The program icon also serves Explorer's large views.
  set(extra)
  if(name STREQUAL "app")
    set(extra 256)
  endif()
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ICON_DIR}
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/make-icon.sh ${TANGO_DIR} ${image} ${out} ${extra}
    DEPENDS ${TANGO_DIR}/16x16/${image}.png ${CMAKE_SOURCE_DIR}/cmake/make-icon.sh VERBATIM)
  list(APPEND ICON_FILES ${out})
endforeach()
add_custom_target(varnolt_icons DEPENDS ${ICON_FILES})
