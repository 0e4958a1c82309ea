# The one version of Quiverglide. Both builds (Linux and the Windows cross
# build) read it for project(), the package names, the Windows version
# resource and the settings dialog's credit line.
set(QG_VERSION_MAJOR 1)
set(QG_VERSION_MINOR 00)
set(QG_VERSION "${QG_VERSION_MAJOR}.${QG_VERSION_MINOR}")
# The version resource's numeric form: 1.00 is 1,0,0,0.
math(EXPR _qg_minor_number "${QG_VERSION_MINOR}")
set(QG_VERSION_COMMAS "${QG_VERSION_MAJOR},${_qg_minor_number},0,0")

# For the resource compiler, which takes quoted definitions badly from the
# command line: a header with both forms, in the build tree.
set(QG_VERSION_HEADER_DIR ${CMAKE_BINARY_DIR}/generated)
file(CONFIGURE OUTPUT ${QG_VERSION_HEADER_DIR}/qg_version.h CONTENT
"// Made by cmake/version.cmake; edit the version there.
#define QG_VERSION_TEXT \"@QG_VERSION@\"
#define QG_VERSION_COMMAS @QG_VERSION_COMMAS@
" @ONLY)
