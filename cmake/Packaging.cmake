# What an install adds for the desktop (launcher, icon, software-centre entry, manual pages) and
# the Debian package made from the same install: cpack -G DEB in the build folder.
set(VELLUM_RELEASE_DATE 2026-12-07)
set(vellum_desktop ${PROJECT_SOURCE_DIR}/resources/desktop)

install(FILES ${vellum_desktop}/${VELLUM_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${vellum_desktop}/${VELLUM_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${vellum_desktop}/${VELLUM_APP_ID}.metainfo.xml.in ${PROJECT_BINARY_DIR}/${VELLUM_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${VELLUM_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages are installed compressed, as Debian keeps them; -n leaves no time stamp in them.
find_program(VELLUM_GZIP gzip REQUIRED)
set(vellum_man_pages)
foreach(page IN ITEMS vellum.1 vellum-admin.1)
  configure_file(${PROJECT_SOURCE_DIR}/resources/man/${page}.in ${PROJECT_BINARY_DIR}/man/${page} @ONLY)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/man/${page}.gz
    COMMAND ${VELLUM_GZIP} -9nkf ${page}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/man
    DEPENDS ${PROJECT_BINARY_DIR}/man/${page}
    VERBATIM)
  list(APPEND vellum_man_pages ${PROJECT_BINARY_DIR}/man/${page}.gz)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${vellum_man_pages})
install(FILES ${vellum_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(VELLUM_PACKAGE_MAINTAINER "Quor Vellum developers <developers@quorvellum.org>"
  CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quor-vellum)
set(CPACK_PACKAGE_VENDOR "Quor Vellum developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "multi-user service desk for client calls")
set(CPACK_PACKAGE_DESCRIPTION [[
Support agents register client calls as cases and work them through Active,
On Hold and Closed, and are warned before each escalation deadline. All
shared data lives in one database folder that every workstation opens at the
same time. vellum-admin creates, checks, backs up and restores that folder
without a display.]])
# The programs as they run, without the symbols of the build.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VELLUM_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION office)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link, as dpkg-shlibdeps finds them (package dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Programs started by name, which no library link reveals: the shell of `vellum-admin shell` and
# the keyring tool that keeps the mail passwords.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "sqlite3, libsecret-tools")
include(CPack)
