# The one list of formats (core/formats.def) as CMake lists, for the targets
# made per format (the fuzz targets): LETTRIX_SOURCE_ALIASES and
# LETTRIX_SOURCE_READERS, LETTRIX_TARGET_ALIASES and LETTRIX_TARGET_WRITERS,
# index for index; an alias is a format's main (first) alias.
set(_formats_def ${CMAKE_SOURCE_DIR}/core/formats.def)
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_formats_def})
file(STRINGS ${_formats_def} _format_lines REGEX "^LETTRIX_(SOURCE|TARGET)\\(")
set(LETTRIX_SOURCE_ALIASES)
set(LETTRIX_SOURCE_READERS)
set(LETTRIX_TARGET_ALIASES)
set(LETTRIX_TARGET_WRITERS)
foreach(_line IN LISTS _format_lines)
  if(_line MATCHES "^LETTRIX_SOURCE\\([A-Za-z0-9]+, \"([^\" ]+)[^\"]*\", \"[^\"]*\", \"[^\"]*\", ([A-Za-z0-9_]+), [A-Za-z0-9_]+\\)")
    list(APPEND LETTRIX_SOURCE_ALIASES ${CMAKE_MATCH_1})
    list(APPEND LETTRIX_SOURCE_READERS ${CMAKE_MATCH_2})
  elseif(_line MATCHES "^LETTRIX_TARGET\\([A-Za-z0-9]+, \"([^\" ]+)[^\"]*\", \"[^\"]*\", \"[^\"]*\", \"[A-Z0-9]*\", ([A-Za-z0-9_]+), [A-Za-z0-9_]+\\)")
    list(APPEND LETTRIX_TARGET_ALIASES ${CMAKE_MATCH_1})
    list(APPEND LETTRIX_TARGET_WRITERS ${CMAKE_MATCH_2})
  else()
    message(FATAL_ERROR "core/formats.def: a line this build cannot read: ${_line}")
  endif()
endforeach()
