# Installing Tarnwick as desktop software, and its Debian package.
#
#   bin/                          tarnwick, tarnwick-cli
#   share/tarnwick/               System/ and Sample/ as shipped; each user's
#                                 application folder is filled from them
#   share/applications/           the menu entry
#   share/icons/hicolor/          the icon, scalable and at 48, 128, 256 px
#   share/metainfo/               AppStream metadata
#   share/man/man1/tarnwick-cli.1 help2man's, from the program's --version
#                                 and the text in data/desktop/tarnwick-cli.h2m
#
# The programs find share/tarnwick from where they lie (bin/../share), so
# the tree can be installed under any prefix.
include(GNUInstallDirs)

set(TARNWICK_APP_ID org.tarnwick.Tarnwick)
set(TARNWICK_DESKTOP_SOURCES ${PROJECT_SOURCE_DIR}/data/desktop)
set(TARNWICK_DESKTOP_BUILD ${CMAKE_BINARY_DIR}/desktop)

find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(HELP2MAN help2man REQUIRED)

install(TARGETS tarnwick-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET tarnwick)
  install(TARGETS tarnwick RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY ${TARNWICK_APP_DIR}/System ${TARNWICK_APP_DIR}/Sample
  DESTINATION ${CMAKE_INSTALL_DATADIR}/tarnwick)

install(FILES ${TARNWICK_DESKTOP_SOURCES}/${TARNWICK_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${TARNWICK_DESKTOP_SOURCES}/${TARNWICK_APP_ID}.metainfo.xml.in
  ${TARNWICK_DESKTOP_BUILD}/${TARNWICK_APP_ID}.metainfo.xml @ONLY)
install(FILES ${TARNWICK_DESKTOP_BUILD}/${TARNWICK_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon is drawn once, as SVG; the PNG sizes are rendered from it.
set(icon_svg ${TARNWICK_DESKTOP_SOURCES}/${TARNWICK_APP_ID}.svg)
install(FILES ${icon_svg}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
set(icon_pngs)
foreach(size IN ITEMS 48 128 256)
  set(png ${TARNWICK_DESKTOP_BUILD}/${size}/${TARNWICK_APP_ID}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TARNWICK_DESKTOP_BUILD}/${size}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${icon_svg}
    DEPENDS ${icon_svg}
    COMMENT "Rendering the ${size} px icon"
    VERBATIM)
  list(APPEND icon_pngs ${png})
  install(FILES ${png}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

set(man_page ${TARNWICK_DESKTOP_BUILD}/tarnwick-cli.1)
add_custom_command(
  OUTPUT ${man_page}
  COMMAND ${HELP2MAN} --no-info --section=1
          --include=${TARNWICK_DESKTOP_SOURCES}/tarnwick-cli.h2m
          "--name=turn gemstone price workbooks into Octonus price tables"
          --output=${man_page} $<TARGET_FILE:tarnwick-cli>
  DEPENDS tarnwick-cli ${TARNWICK_DESKTOP_SOURCES}/tarnwick-cli.h2m
  COMMENT "Writing the tarnwick-cli man page"
  VERBATIM)
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

add_custom_target(tarnwick_desktop_files ALL DEPENDS ${icon_pngs} ${man_page})

# cpack -G DEB: tarnwick_<version>_<arch>.deb, its dependencies found by
# dpkg-shlibdeps from the libraries the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tarnwick developers")
set(CPACK_PACKAGE_CONTACT "The Tarnwick developers <tarnwick@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "turn gemstone price workbooks into Octonus price tables")
set(CPACK_PACKAGE_DESCRIPTION
  "Tarnwick writes one fixed-width Octonus price table per sheet of a price\n\
workbook, applying up to five levels of discounts and rounding, and builds\n\
the workbook from DBF tables or CSV price lists. The window program and\n\
tarnwick-cli for scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tarnwick.org")
include(CPack)
