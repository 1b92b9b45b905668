# `cpack -G DEB` (make package): a Debian package of what cmake/install.cmake
# installs, its version the project's (what --version prints) and its
# dependencies computed from the programs by dpkg-shlibdeps.
set(LETTRIX_PACKAGE_MAINTAINER "Lettrix developers <lettrix@example.org>"
    CACHE STRING "Maintainer field of the Debian package: name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lettrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${LETTRIX_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${LETTRIX_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"converter of classic Macintosh word-processor documents
Lettrix converts documents from classic Macintosh word processors
(MacWrite 2.2, 4.6 and II, Works 2 and 3, ClarisWorks/AppleWorks,
Ragtime 2 and 3, Nisus Writer, Mac plain text) into files that PC
software opens: plain text in code page 437 or 1252, RTF, Word for DOS,
Word for Windows 2 and WordPerfect 5.

The package holds the conversion dialog (lettrix, Qt 6) and the
command-line converter for batch work (lettrix-convert).")

include(CPack)
