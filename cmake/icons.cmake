# Converts Tango theme images (16, 22 and 32 pixels) into .ico files for the resources.
set(TANGO_DIR /usr/share/icons/Tango)
set(ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(ICON_MAP
  app:actions/edit-clear prefs:categories/preferences-system exclude:actions/process-stop
  viewlog:mimetypes/text-x-generic deletelog:actions/edit-delete import:actions/document-open
  export:actions/document-save-as about:status/dialog-information help:apps/help-browser
  preview:actions/document-print-preview wash:actions/edit-clear exit:actions/system-log-out
  add:actions/list-add edit:apps/accessories-text-editor remove:actions/list-remove
  up:actions/go-up down:actions/go-down checkall:actions/edit-select-all
  uncheckall:actions/edit-undo)
set(ICON_FILES)
foreach(pair ${ICON_MAP})
  string(REPLACE ":" ";" parts ${pair})
  list(GET parts 0 name)
  list(GET parts 1 image)
  set(out ${ICON_DIR}/${name}.ico)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ICON_DIR}
    COMMAND convert ${TANGO_DIR}/16x16/${image}.png ${TANGO_DIR}/22x22/${image}.png
            ${TANGO_DIR}/32x32/${image}.png ${out}
    DEPENDS ${TANGO_DIR}/16x16/${image}.png VERBATIM)
  list(APPEND ICON_FILES ${out})
endforeach()
add_custom_target(varnolt_icons DEPENDS ${ICON_FILES})
