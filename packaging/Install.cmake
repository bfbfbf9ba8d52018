# packaging/Install.cmake — where `cmake --install` puts the game, and the
# Debian package CPack makes of it.
#
#   games/skyrend               the launcher (a per-user game folder), where
#                               Debian keeps games; bin/skyrend links to it so
#                               that it is on every PATH, root's included
#   bin/dxgtool, skyrend-sim, make-assets
#   lib/.../skyrend/skyrend-sim-video.so  the simulator's video writer
#   libexec/skyrend/skyrend     the game itself
#   share/games/skyrend/        gfx/, sfx/ and the default configuration files
#   share/applications, share/metainfo, share/icons/hicolor, share/man
#   share/doc/skyrend/          README.md, copyright, changelog.gz

include(GNUInstallDirs)

set(SKYREND_LAUNCHER_DIR games)
set(SKYREND_DATA_DIR ${CMAKE_INSTALL_DATADIR}/games/skyrend)
set(SKYREND_GAME_DIR ${CMAKE_INSTALL_LIBEXECDIR}/skyrend)
set(SKYREND_APP_ID org.skyrend.Skyrend)
set(PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)

# The launcher finds the game and its data from where it lies.
file(RELATIVE_PATH SKYREND_DATA_FROM_BIN /${SKYREND_LAUNCHER_DIR} /${SKYREND_DATA_DIR})
file(RELATIVE_PATH SKYREND_GAME_FROM_BIN /${SKYREND_LAUNCHER_DIR} /${SKYREND_GAME_DIR}/skyrend)
file(RELATIVE_PATH launcher_from_bin /${CMAKE_INSTALL_BINDIR} /${SKYREND_LAUNCHER_DIR}/skyrend)
configure_file(${PACKAGING_DIR}/skyrend.in ${PACKAGING_OUT}/skyrend @ONLY)
file(MAKE_DIRECTORY ${PACKAGING_OUT}/bin)
file(CREATE_LINK ${launcher_from_bin} ${PACKAGING_OUT}/bin/skyrend SYMBOLIC)

# Pristine defaults, whatever the build's game folder has been set to since.
file(WRITE ${PACKAGING_OUT}/defaults/aufloesung.cfg "0\r\n")
file(WRITE ${PACKAGING_OUT}/defaults/schiffe.cfg "60\r\n")

# Manual pages and the changelog go compressed, as Debian wants them.
set(SKYREND_MAN_PAGES skyrend.6 dxgtool.1 skyrend-sim.1 make-assets.1)
set(compressed)
foreach(page ${SKYREND_MAN_PAGES} changelog)
  if(page STREQUAL changelog)
    set(source ${PACKAGING_DIR}/changelog)
  else()
    set(source ${PACKAGING_DIR}/man/${page})
  endif()
  add_custom_command(OUTPUT ${PACKAGING_OUT}/${page}.gz
    COMMAND gzip -9nc ${source} > ${PACKAGING_OUT}/${page}.gz
    DEPENDS ${source} VERBATIM)
  list(APPEND compressed ${PACKAGING_OUT}/${page}.gz)
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${compressed})

install(TARGETS skyrend RUNTIME DESTINATION ${SKYREND_GAME_DIR})
install(TARGETS dxgtool skyrend-sim make-assets RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS skyrend-sim-video LIBRARY DESTINATION ${SKYREND_SIM_MODULE_DIR})
install(PROGRAMS ${PACKAGING_OUT}/skyrend DESTINATION ${SKYREND_LAUNCHER_DIR})
install(FILES ${PACKAGING_OUT}/bin/skyrend DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${GAME_DIR}/gfx ${GAME_DIR}/sfx DESTINATION ${SKYREND_DATA_DIR})
install(FILES ${PACKAGING_OUT}/defaults/aufloesung.cfg ${PACKAGING_OUT}/defaults/schiffe.cfg
        DESTINATION ${SKYREND_DATA_DIR})
install(FILES ${PACKAGING_DIR}/${SKYREND_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PACKAGING_DIR}/${SKYREND_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${SKYREND_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
foreach(page ${SKYREND_MAN_PAGES})
  string(REGEX MATCH "[0-9]$" section ${page})
  install(FILES ${PACKAGING_OUT}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${PACKAGING_DIR}/copyright ${PACKAGING_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/skyrend)

# The Debian package: `cpack -G DEB` in the build folder (scripts/package.sh).
set(CPACK_PACKAGE_NAME skyrend)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Skyrend developers")
set(CPACK_PACKAGE_CONTACT "The Skyrend developers <developers@skyrend.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "free-roaming 2D space shooter")
set(CPACK_PACKAGE_DESCRIPTION "Your ship stays at the centre of the screen pointing up while a wrapping
world turns and scrolls around it: two parallax star layers, bonus objects
that recharge your energy, and an enemy fleet that wakes, turns, closes in
and fires. A radar, an energy bar and a menu over the running game with five
screen profiles. Comes with its collection-file tool and a headless
simulator.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://skyrend.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The status text is drawn in DejaVu Sans, found through fontconfig.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
include(CPack)
