# Installed like a desktop program:
#   PREFIX/lib/vantrel/         the program folder: executable, plugins/,
#                               pictures and the language folders
#   PREFIX/bin/vantrel          a link to the executable; the program finds
#                               its folder from its own location
#   PREFIX/share/applications, mime/packages, icons/hicolor, man/man1
# The program never writes below PREFIX: user data goes to the XDG folders.
set(VANTREL_INSTALL_PROGRAM_DIR lib/vantrel)

install(TARGETS vantrel RUNTIME DESTINATION ${VANTREL_INSTALL_PROGRAM_DIR})
install(TARGETS basalt LIBRARY DESTINATION ${VANTREL_INSTALL_PROGRAM_DIR}/plugins)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/program/ DESTINATION ${VANTREL_INSTALL_PROGRAM_DIR}
        PATTERN ".keep" EXCLUDE)

# A relative link, so that the tree works under any prefix and inside the
# package's staging folder alike.
set(bin_link ${CMAKE_BINARY_DIR}/install-bin/vantrel)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-bin)
file(CREATE_LINK ../${VANTREL_INSTALL_PROGRAM_DIR}/vantrel ${bin_link} SYMBOLIC)
install(FILES ${bin_link} DESTINATION bin)

set(desktop ${CMAKE_SOURCE_DIR}/data/desktop)
install(FILES ${desktop}/vantrel.desktop DESTINATION share/applications)
install(FILES ${desktop}/vantrel.xml DESTINATION share/mime/packages)
foreach(size 48 128 256)
  install(FILES ${desktop}/vantrel-${size}.png DESTINATION share/icons/hicolor/${size}x${size}/apps
          RENAME vantrel.png)
endforeach()
install(FILES ${desktop}/vantrel.svg DESTINATION share/icons/hicolor/scalable/apps)

# Manual pages are installed compressed where gzip is there to do it.
find_program(VANTREL_GZIP gzip)
if(VANTREL_GZIP)
  add_custom_command(OUTPUT ${VANTREL_MANUAL_PAGE}.gz
    COMMAND ${VANTREL_GZIP} -9nc ${VANTREL_MANUAL_PAGE} > ${VANTREL_MANUAL_PAGE}.gz
    DEPENDS ${VANTREL_MANUAL_PAGE} vantrel_manual_page)
  add_custom_target(vantrel_manual_gz ALL DEPENDS ${VANTREL_MANUAL_PAGE}.gz)
  install(FILES ${VANTREL_MANUAL_PAGE}.gz DESTINATION share/man/man1)
else()
  add_custom_target(vantrel_manual_all ALL DEPENDS vantrel_manual_page)
  install(FILES ${VANTREL_MANUAL_PAGE} DESTINATION share/man/man1)
endif()

# The Debian package: cpack -G DEB in the build folder. The runtime
# dependencies come from dpkg-shlibdeps reading the installed binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "Vantrel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop video compositor")
set(CPACK_PACKAGE_DESCRIPTION
    "Vantrel composes video from clips, pictures and generated pictures on nested arrangements of tracks, with keyed variables for every property, video and audio effects, a preview, and Make into a real media file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vantrel maintainers <vantrel@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
find_program(VANTREL_SHLIBDEPS dpkg-shlibdeps)
if(NOT VANTREL_SHLIBDEPS)
  message(WARNING "dpkg-shlibdeps (package dpkg-dev) is missing: a Debian package made now would list no dependencies")
endif()
# Not libraries anybody links: the desktop opens files with xdg-open, text
# pictures want a font with the common glyphs, and Qt's own buttons speak
# German only with Qt's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-dejavu-core, qt6-translations-l10n")
include(CPack)
