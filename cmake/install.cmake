# What `cmake --install` puts where: the two programs, their manual pages, the
# desktop entry with the icon at the usual sizes, the Macintosh document
# types for shared-mime-info, the bash completion of
# lettrix-convert and the documentation. DESTDIR and the install prefix are
# honoured; cmake/package.cmake makes a Debian package of the same files.
#
# The target lettrix_dist builds everything these rules install.
include(GNUInstallDirs)

set(LETTRIX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/lettrix)
set(LETTRIX_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(LETTRIX_DIST_FILES)

install(TARGETS lettrix-convert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET lettrix)
  install(TARGETS lettrix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# Files installed gzip-compressed, as Debian keeps manual pages and changelogs
# (-n: no name or time stamp, so that the same text gives the same bytes).
find_program(LETTRIX_GZIP gzip REQUIRED)
function(lettrix_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${output}.tmp
    COMMAND ${LETTRIX_GZIP} -9nf ${output}.tmp
    COMMAND ${CMAKE_COMMAND} -E rename ${output}.tmp.gz ${output}
    DEPENDS ${source} VERBATIM)
  set(LETTRIX_DIST_FILES ${LETTRIX_DIST_FILES} ${output} PARENT_SCOPE)
endfunction()

# Manual pages.
set(LETTRIX_MAN_PAGES lettrix-convert.1)
if(TARGET lettrix)
  list(APPEND LETTRIX_MAN_PAGES lettrix.1)
endif()
foreach(page ${LETTRIX_MAN_PAGES})
  lettrix_gzip(${CMAKE_SOURCE_DIR}/man/${page} ${LETTRIX_DIST_DIR}/man/${page}.gz)
  install(FILES ${LETTRIX_DIST_DIR}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# Desktop entry and icon theme: the dialog's icon drawn at each size.
if(TARGET lettrix)
  add_executable(render_icon ${CMAKE_SOURCE_DIR}/tools/render_icon.cpp)
  target_link_libraries(render_icon PRIVATE lettrix_qt)
  set(LETTRIX_ICON_SIZES 16 22 24 32 48 64 128 256)
  set(icons)
  foreach(size ${LETTRIX_ICON_SIZES})
    list(APPEND icons ${LETTRIX_DIST_DIR}/icons/${size}x${size}/apps/lettrix.png)
  endforeach()
  add_custom_command(OUTPUT ${icons}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:render_icon> ${LETTRIX_DIST_DIR}/icons ${LETTRIX_ICON_SIZES}
    DEPENDS render_icon VERBATIM)
  list(APPEND LETTRIX_DIST_FILES ${icons})
  install(DIRECTORY ${LETTRIX_DIST_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/lettrix.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # The Macintosh document types, so that file managers offer the program
  # for them (update-mime-database makes them known after installation).
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/lettrix-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME lettrix.xml)
endif()

# Bash completion, found by bash-completion under the program's name.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lettrix-convert.bash
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME lettrix-convert)

# Documentation: the README, the Debian changelog (its version is the
# project's) and the copyright statement; a licence file when the project has one.
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${LETTRIX_DOC_DIR})
foreach(licence LICENSE LICENCE COPYING)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${licence})
    install(FILES ${CMAKE_SOURCE_DIR}/${licence} DESTINATION ${LETTRIX_DOC_DIR})
  endif()
endforeach()
string(TIMESTAMP LETTRIX_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${LETTRIX_DIST_DIR}/changelog @ONLY)
lettrix_gzip(${LETTRIX_DIST_DIR}/changelog ${LETTRIX_DIST_DIR}/changelog.gz)
install(FILES ${LETTRIX_DIST_DIR}/changelog.gz DESTINATION ${LETTRIX_DOC_DIR})

add_custom_target(lettrix_dist ALL DEPENDS ${LETTRIX_DIST_FILES})
add_dependencies(lettrix_dist lettrix-convert)
if(TARGET lettrix)
  add_dependencies(lettrix_dist lettrix)
endif()

# The packaging tests install into a scratch folder and run the programs.
if(TARGET lettrix_tests)
  add_dependencies(lettrix_tests lettrix_dist)
  target_compile_definitions(lettrix_tests PRIVATE LETTRIX_CMAKE_COMMAND="${CMAKE_COMMAND}")
  if(TARGET lettrix)
    add_dependencies(lettrix_tests lettrix)
  endif()
endif()
