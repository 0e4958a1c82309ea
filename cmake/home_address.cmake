# The one place that sets the address the settings dialog's link shows and
# opens, for every build. Until the project has a home page it is the README
# as installed.
include(${CMAKE_CURRENT_LIST_DIR}/install_layout.cmake)
if(WIN32)
  # The README beside the two programs, wherever they were put (a ZIP folder,
  # System32): a bare name is looked up in the program's folder at run time.
  set(_qg_home "README.txt")
else()
  set(_qg_readme "${CMAKE_INSTALL_FULL_DOCDIR}/README.md")
  string(REPLACE " " "%20" _qg_readme "${_qg_readme}")
  set(_qg_home "file://${_qg_readme}")
endif()
set(QG_HOME_ADDRESS "${_qg_home}" CACHE STRING
    "Address shown and opened by the settings dialog's link (a bare file name: beside the programs)")
