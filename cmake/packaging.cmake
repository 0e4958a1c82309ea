# What a user installs, and the packages that carry it: a Debian package on
# Linux (`cpack -G DEB`), a ZIP from the Windows cross build (`cpack -G ZIP`).
# Included at the end of the top CMakeLists.txt, once both programs are known.
include_guard(GLOBAL)
include(${CMAKE_CURRENT_LIST_DIR}/install_layout.cmake)
set(_qg_pkg ${QG_SOURCE_DIR}/packaging)
set(_qg_pkg_out ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${_qg_pkg_out})

install(TARGETS quiverglide_saver quiverglide_renderer RUNTIME DESTINATION ${QG_INSTALL_PROGRAM_DIR})

if(WIN32)
  # Notepad of every Windows version reads CRLF.
  configure_file(${_qg_pkg}/windows/README.txt ${_qg_pkg_out}/README.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${_qg_pkg_out}/README.txt DESTINATION ${QG_INSTALL_PROGRAM_DIR})
else()
  # The font alias the dialog's font name needs, beside the program as in bin/.
  install(FILES ${QG_SOURCE_DIR}/assets/fontconfig/quiverglide-fonts.conf
          DESTINATION ${QG_INSTALL_PROGRAM_DIR}/fontconfig)
  # The command on the PATH: a link, so the host still finds the renderer by
  # its own (resolved) path.
  file(RELATIVE_PATH _qg_link_target ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
       ${CMAKE_INSTALL_PREFIX}/${QG_INSTALL_PROGRAM_DIR}/Quiverglide.scr)
  file(CREATE_LINK ${_qg_link_target} ${_qg_pkg_out}/quiverglide SYMBOLIC)
  install(FILES ${_qg_pkg_out}/quiverglide DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The man page, compressed as Debian keeps them (no time stamp inside).
  add_custom_command(OUTPUT ${_qg_pkg_out}/quiverglide.1.gz
    COMMAND gzip -9n -c ${_qg_pkg}/linux/quiverglide.1 > ${_qg_pkg_out}/quiverglide.1.gz
    DEPENDS ${_qg_pkg}/linux/quiverglide.1 VERBATIM)
  add_custom_target(qg_man_page ALL DEPENDS ${_qg_pkg_out}/quiverglide.1.gz)
  install(FILES ${_qg_pkg_out}/quiverglide.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${_qg_pkg}/linux/quiverglide-settings.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${_qg_pkg}/linux/quiverglide.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
  # The settings dialog's link opens this README (cmake/home_address.cmake).
  install(FILES ${QG_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(DIRECTORY ${QG_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
  # What the X11 screensaver daemon needs to list and start the show: the
  # command where distributions keep its programs (a link too), and the
  # description its settings dialog reads, named for the command.
  file(RELATIVE_PATH _qg_hack_target ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver
       ${CMAKE_INSTALL_PREFIX}/${QG_INSTALL_PROGRAM_DIR}/Quiverglide.scr)
  file(MAKE_DIRECTORY ${_qg_pkg_out}/xscreensaver)
  file(CREATE_LINK ${_qg_hack_target} ${_qg_pkg_out}/xscreensaver/Quiverglide.scr SYMBOLIC)
  install(FILES ${_qg_pkg_out}/xscreensaver/Quiverglide.scr DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
  install(FILES ${QG_SOURCE_DIR}/assets/xscreensaver/quiverglide.scr.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
endif()

set(CPACK_PACKAGE_NAME quiverglide)
set(CPACK_PACKAGE_VENDOR Quiverglide)
set(CPACK_PACKAGE_VERSION ${QG_VERSION})
set(CPACK_PACKAGE_CONTACT "Quiverglide developers <quiverglide@users.noreply.github.com>" CACHE STRING
    "Maintainer named in the packages")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screensaver that turns your desktop into a moving landscape")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "Quiverglide-${QG_VERSION}-win64")
  # The files lie at the top of the ZIP: unpacked, they are ready to install.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION x11)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Beside the libraries dpkg-shlibdeps finds in the programs: the font of the
  # dialog's texts, and Qt's Wayland platform, a plug-in Qt loads at run time
  # (no program links it, so dpkg-shlibdeps cannot see it).
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-wayland")
  # Software GL when the display has no driver of its own; the link's opener.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri, xdg-utils")
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver | xss-lock | xautolock, swayidle")
  # CPack puts the summary first and indents these lines as Debian wants.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quiverglide photographs the screen and lays the picture three by three over
a floor and a slanted canopy that slide towards you while the whole scene
turns about a drifting axis, with background music of your choice (an MP3 or
WAV file, or an audio CD with a track to repeat). Escape ends the show.

Start it with \"quiverglide /s\" from xss-lock, xautolock, swayidle or a
similar idle watcher, on X11 or on a Wayland desktop; \"quiverglide /c\" (the
menu entry Quiverglide Settings) chooses the music. It is not a screen locker.")
endif()
# The values reach the CPack configuration as written (the description quotes).
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
