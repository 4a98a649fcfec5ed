# The Debian package. In the build folder, `cpack -G DEB` makes
# permiso_<version>_amd64.deb of whatever the install rules place (the
# program, qrptool, the desktop entry, the icons) and the documents installed
# here: the two Debian asks of every package and the manual pages.
# dpkg-shlibdeps finds the shared libraries the programs link; what they
# need beyond those is named here.
include(GNUInstallDirs)

# Who answers for the package; a build for an agency names its own contact.
set(PERMISO_PACKAGE_CONTACT "Permiso developers <permiso@example.org>"
    CACHE STRING "Maintainer of the Debian package: name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME permiso)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${PERMISO_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "issues official vehicle circulation permits")
set(CPACK_PACKAGE_DESCRIPTION
    "Permiso prints the circulation permits (PERMISO DE CIRCULACIÓN) of a
state government's official vehicles. An officer fills one window, checks
the permit in a print preview and prints it; every print leaves a plain-text
record of the permit in the Permiso folder of the user's home.
.
The package also holds qrptool, which reads the prepared report files that
the preview window saves (header, pages as PNG, PDF or EMF).")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The permit's layout is measured in Arial, for which Liberation Sans stands
# in with the same widths.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# Printing goes to a CUPS scheduler, usually the machine's own.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups")

set(PERMISO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/permiso)
set(PERMISO_PACKAGE_FILES ${CMAKE_BINARY_DIR}/packaging)

# The copyright file is LICENSE in Debian's machine-readable layout: every
# line of the licence indented by one space, a blank line as " .".
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REGEX REPLACE "\n+$" "" license "${license}")
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " license "${license}")
set(PERMISO_LICENSE_TEXT " ${license}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${PERMISO_PACKAGE_FILES}/copyright @ONLY)

# Debian wants documents compressed; without a time stamp, the same source
# gives the same package. Done when configuring: gzip is on every Debian.
function(permiso_gzip source output)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  execute_process(COMMAND gzip -9 -n -c ${source} OUTPUT_FILE ${output} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${source}")
  endif()
endfunction()

permiso_gzip(${CMAKE_CURRENT_LIST_DIR}/changelog ${PERMISO_PACKAGE_FILES}/changelog.gz)
install(FILES ${PERMISO_PACKAGE_FILES}/copyright ${PERMISO_PACKAGE_FILES}/changelog.gz
        DESTINATION ${PERMISO_DOC_DIR})

foreach(page Permiso.1 qrptool.1)
  permiso_gzip(${PROJECT_SOURCE_DIR}/docs/man/${page} ${PERMISO_PACKAGE_FILES}/${page}.gz)
  install(FILES ${PERMISO_PACKAGE_FILES}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

include(CPack)
