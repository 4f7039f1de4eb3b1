# Installation and the Debian package (cpack).

install(TARGETS kalvero kalvero-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# kalvero-cli finds the picture module by this place relative to itself.
install(TARGETS kalvero-picture LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/kalvero)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/kalvero.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kalvero)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/kalvero/samples
        OPTIONAL)
if(NOT WIN32)
    add_subdirectory(tools/desktop-files)
    include(cmake/ManPages.cmake)
    install(FILES ${PROJECT_SOURCE_DIR}/tools/completion/kalvero-cli
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
endif()

set(CPACK_PACKAGE_NAME kalvero)
set(CPACK_PACKAGE_VENDOR "The Kalvero developers")
set(CPACK_PACKAGE_CONTACT "The Kalvero developers <kalvero@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for Award BIOS boot logos (EPA files)")
set(CPACK_PACKAGE_DESCRIPTION
    "Kalvero makes the boot logo that an Award BIOS shows at power-on: it turns
two-colour bitmaps into EPA version-1 logos that are coloured cell by cell,
16-colour bitmaps into EPA 2.0 images, and comes with kalvero-cli for scripts.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The picture module draws SVG text on Qt's offscreen platform.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-qpa-plugins")
# Fonts of the widths the window was laid out for, and Qt's own texts (the
# buttons of message boxes, the file dialogs) in German.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
