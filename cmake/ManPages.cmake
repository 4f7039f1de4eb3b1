# The manual pages kalvero.1 and kalvero-cli.1, made with help2man from the
# help texts at build time (tools/docs/man-pages.sh), compressed as Debian
# keeps them.
find_program(KALVERO_HELP2MAN help2man REQUIRED)

set(KALVERO_MAN_DIR ${CMAKE_BINARY_DIR}/man)
set(KALVERO_MAN_PAGES ${KALVERO_MAN_DIR}/kalvero.1.gz ${KALVERO_MAN_DIR}/kalvero-cli.1.gz)
add_custom_command(
    OUTPUT ${KALVERO_MAN_PAGES}
    COMMAND ${PROJECT_SOURCE_DIR}/tools/docs/man-pages.sh $<TARGET_FILE:kalvero-cli>
            $<TARGET_FILE:kalvero> ${KALVERO_MAN_DIR}
    COMMAND gzip -9nf ${KALVERO_MAN_DIR}/kalvero.1 ${KALVERO_MAN_DIR}/kalvero-cli.1
    DEPENDS kalvero-cli kalvero ${PROJECT_SOURCE_DIR}/tools/docs/man-pages.sh
    COMMENT "Writing the manual pages")
add_custom_target(kalvero_man_pages ALL DEPENDS ${KALVERO_MAN_PAGES})
install(FILES ${KALVERO_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
