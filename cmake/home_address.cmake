# The one place that sets the address the settings dialog's link shows and
# opens, for every build. Until the project has a home page it is the README as
# installed (`cmake --install`), as a file address.
include(GNUInstallDirs)
if(WIN32)
  # Beside the two programs in their usual Windows folder.
  set(_qg_readme "C:/Program Files/Quiverglide/README.md")
else()
  set(_qg_readme "${CMAKE_INSTALL_FULL_DOCDIR}/README.md")
endif()
if(NOT _qg_readme MATCHES "^/")
  set(_qg_readme "/${_qg_readme}")  # a drive path: file:///C:/...
endif()
string(REPLACE " " "%20" _qg_readme "${_qg_readme}")
set(QG_HOME_ADDRESS "file://${_qg_readme}" CACHE STRING
    "Address shown and opened by the settings dialog's link")
