# Installation (cmake --install) and the Debian package (cpack -G DEB).
include(GNUInstallDirs)

set(MAREVO_APP_ID org.marevo.Notes)
set(MAREVO_ICON_SVG ${PROJECT_SOURCE_DIR}/resources/icons/marevo-notes.svg)

install(TARGETS marevo-notes RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${MAREVO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The release entry carries the version of project().
set(MAREVO_METAINFO ${PROJECT_BINARY_DIR}/packaging/${MAREVO_APP_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/packaging/${MAREVO_APP_ID}.metainfo.xml.in ${MAREVO_METAINFO} @ONLY)
install(FILES ${MAREVO_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${MAREVO_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The about window's link opens this README; its pictures keep their relative place.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/marevo-notes)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/marevo-notes/docs FILES_MATCHING PATTERN "*.png")

# PNG sizes for panels and menus that do not scale SVG icons.
qt_add_executable(marevo-render-icon ${PROJECT_SOURCE_DIR}/packaging/RenderIcon.cpp)
target_link_libraries(marevo-render-icon PRIVATE Qt6::Gui Qt6::Svg)
set_target_properties(marevo-render-icon PROPERTIES WIN32_EXECUTABLE OFF MACOSX_BUNDLE OFF)
set(icon_pngs)
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/marevo-notes.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}
        COMMAND marevo-render-icon ${MAREVO_ICON_SVG} ${size} ${png}
        DEPENDS marevo-render-icon ${MAREVO_ICON_SVG} VERBATIM)
    list(APPEND icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual page is made from --help, so the two cannot disagree; the folder, files, keys and exit
# codes come from the include file.
find_program(HELP2MAN help2man)
set(man_page ${CMAKE_CURRENT_BINARY_DIR}/marevo-notes.1)
if(HELP2MAN)
    add_custom_command(OUTPUT ${man_page}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                ${HELP2MAN} --no-info --section=1 --name=a\ desktop\ organiser\ in\ the\ notification\ area
                --include=${PROJECT_SOURCE_DIR}/packaging/marevo-notes.h2m
                --output=${man_page} $<TARGET_FILE:marevo-notes>
        DEPENDS marevo-notes ${PROJECT_SOURCE_DIR}/packaging/marevo-notes.h2m VERBATIM)
    install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    list(APPEND icon_pngs ${man_page})
else()
    message(STATUS "help2man not found: no manual page")
endif()
add_custom_target(marevo_install_files ALL DEPENDS ${icon_pngs})

set(CPACK_PACKAGE_NAME marevo-notes)
set(CPACK_PACKAGE_VENDOR "Marevo Notes")
set(CPACK_PACKAGE_CONTACT "Marevo Notes developers <notes@marevo.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop organiser: notes, tasks, reminders, week schedule and money book")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Platform plugins and the SVG icon engine are loaded at run time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)

# The desktop entry and the metainfo must validate wherever the tools exist.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    add_test(NAME packaging_desktop_entry
             COMMAND ${DESKTOP_FILE_VALIDATE} ${PROJECT_SOURCE_DIR}/packaging/${MAREVO_APP_ID}.desktop)
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    add_test(NAME packaging_metainfo
             COMMAND ${APPSTREAMCLI} validate --no-net ${MAREVO_METAINFO})
endif()
