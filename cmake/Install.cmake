# What `cmake --install` puts in place: the programs, the desktop entry, the icon in
# the hicolor theme, the MIME definitions of the project's own file kinds, the
# AppStream metainfo and the manual pages. Included from the top CMakeLists.txt
# after the targets exist.

set(KORVEX_APP_ID org.korvex.Korvex2)
set(KORVEX_SCREENSHOT_URL
    "https://example.org/korvex/doc/screenshots/main-window.png"
    CACHE STRING "Address of doc/screenshots/main-window.png where the repository is \
published; the AppStream metainfo names it as the application's screenshot")

# Built without the GUI (KORVEX_GUI=OFF), only the converter and its manual page are
# installed.
if(KORVEX_GUI)
    install(TARGETS korvex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(TARGETS korvex-fault-report RUNTIME DESTINATION ${KORVEX_REPORTER_INSTALL_DIR})
endif()
if(TARGET korvex-cli)
    install(TARGETS korvex-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The desktop entry, its icons, the MIME definitions and the metainfo belong to the
# editor: a build without it leaves them out.
if(KORVEX_GUI)
    install(FILES ${CMAKE_SOURCE_DIR}/dist/${KORVEX_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/dist/${KORVEX_APP_ID}.mime.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${KORVEX_APP_ID}.xml)
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/dist/icons/hicolor
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
    install(FILES ${CMAKE_SOURCE_DIR}/dist/icons/${KORVEX_APP_ID}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

    configure_file(${CMAKE_SOURCE_DIR}/dist/${KORVEX_APP_ID}.metainfo.xml.in
                   ${CMAKE_BINARY_DIR}/dist/${KORVEX_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/dist/${KORVEX_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# Manual pages: the version goes in at configure time, and they are installed
# compressed (gzip -9n, as Debian wants them: no name or time stamp inside).
find_program(KORVEX_GZIP gzip REQUIRED)
set(VERSION ${PROJECT_VERSION})
set(KORVEX_MAN_PAGES)
set(KORVEX_MAN_PAGE_NAMES)
if(KORVEX_GUI)
    list(APPEND KORVEX_MAN_PAGE_NAMES korvex)
endif()
if(TARGET korvex-cli)
    list(APPEND KORVEX_MAN_PAGE_NAMES korvex-cli)
endif()
foreach(page ${KORVEX_MAN_PAGE_NAMES})
    set(page_text ${CMAKE_BINARY_DIR}/doc/${page}.1)
    configure_file(${CMAKE_SOURCE_DIR}/doc/${page}.1.in ${page_text} @ONLY)
    add_custom_command(OUTPUT ${page_text}.gz
                       COMMAND ${KORVEX_GZIP} -9nc ${page_text} > ${page_text}.gz
                       DEPENDS ${page_text}
                       COMMENT "Compressing the manual page ${page}.1")
    list(APPEND KORVEX_MAN_PAGES ${page_text}.gz)
endforeach()
add_custom_target(korvex_man_pages ALL DEPENDS ${KORVEX_MAN_PAGES})
install(FILES ${KORVEX_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
