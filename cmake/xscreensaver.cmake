# What the X11 screensaver daemon needs to list and start the show: the
# command in the folder distributions keep its programs in (a link to the
# installed host, which finds the renderer beside its real file), and the
# description its settings dialog reads, named for the command in lower case.
set(QG_XSS_HACK_DIR ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
set(QG_XSS_CONFIG_DIR ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
file(RELATIVE_PATH _qg_xss_to_bin /${QG_XSS_HACK_DIR} /${CMAKE_INSTALL_BINDIR})
install(CODE "
  set(_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QG_XSS_HACK_DIR}\")
  file(MAKE_DIRECTORY \"\${_dir}\")
  file(CREATE_LINK \"${_qg_xss_to_bin}/Quiverglide.scr\" \"\${_dir}/Quiverglide.scr\" SYMBOLIC)
  message(STATUS \"Installing: \${_dir}/Quiverglide.scr\")
")
install(FILES ${QG_SOURCE_DIR}/assets/xscreensaver/quiverglide.scr.xml DESTINATION ${QG_XSS_CONFIG_DIR})
