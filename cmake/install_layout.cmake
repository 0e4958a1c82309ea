# Where `cmake --install` and the packages put things; read by the home
# address (the README's installed place) and by cmake/packaging.cmake; it
# only sets variables, so each directory that needs them includes it.

if(NOT WIN32)
  # The Debian package installs under /usr; a plain install matches it, so
  # the README the dialog's link names is where the package puts it.
  if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Install prefix" FORCE)
  endif()
  set(CMAKE_INSTALL_DOCDIR share/doc/quiverglide CACHE PATH "Documentation folder")
endif()
include(GNUInstallDirs)

# The host finds the renderer beside itself, so both live in one folder of
# their own (flat in the Windows ZIP); a command on the PATH points there.
if(WIN32)
  set(QG_INSTALL_PROGRAM_DIR .)
else()
  set(QG_INSTALL_PROGRAM_DIR lib/quiverglide)
endif()
