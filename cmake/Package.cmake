# A Debian package of what cmake/Install.cmake installs:
#   cmake --build build && (cd build && cpack -G DEB)
# Its dependencies come from the shared libraries the programs link (dpkg-shlibdeps,
# from dpkg-dev). The package adds the Debian files policy asks for: the copyright
# file and a compressed changelog.Debian, both under share/doc/korvex.

set(KORVEX_MAINTAINER "Korvex 2 developers <korvex@example.org>"
    CACHE STRING "Maintainer field of the Debian package: \"Name <address>\"")
set(KORVEX_DEB_RELEASE 1)
set(KORVEX_DEB_VERSION ${PROJECT_VERSION}-${KORVEX_DEB_RELEASE})

set(KORVEX_DEB_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/korvex)
configure_file(${CMAKE_SOURCE_DIR}/dist/debian/changelog.in
               ${CMAKE_BINARY_DIR}/dist/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/dist/changelog.Debian.gz
                   COMMAND ${KORVEX_GZIP} -9nc ${CMAKE_BINARY_DIR}/dist/changelog.Debian >
                           ${CMAKE_BINARY_DIR}/dist/changelog.Debian.gz
                   DEPENDS ${CMAKE_BINARY_DIR}/dist/changelog.Debian)
add_custom_target(korvex_deb_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/dist/changelog.Debian.gz)
# Only the package gets these: a plain `cmake --install` leaves them out.
install(FILES ${CMAKE_SOURCE_DIR}/dist/debian/copyright
              ${CMAKE_BINARY_DIR}/dist/changelog.Debian.gz
        DESTINATION ${KORVEX_DEB_DOC_DIR} COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${KORVEX_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for Atari 8-bit character-set fonts")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};Unspecified;/"
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};debian;/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${KORVEX_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KORVEX_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The summary above is the synopsis line; this is the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Korvex 2 draws the 8 x 8 glyphs of Atari 8-bit fonts in two-colour and
four-colour mode, keeps ten fonts at once, composes 5 x 5 tiles of glyphs and
animates them, and lays out nine 40 x 24 text screens with them. Fonts,
screens and ranges are saved as files and as source text for assembler,
Action!, Atari BASIC, MadPascal and FastBasic.
.
The package also holds korvex-cli, a converter that writes the same files
from the command line, for use in build scripts.")

include(CPack)
