# The settings dialog Wobblevista_P and what it needs besides the form layer;
# one list for both builds. Included at the end of this folder's CMakeLists.txt.

# The track box's reading rule is platform-free and also checked in the
# sanitizer build.
add_library(qg_dialog_core STATIC ${CMAKE_CURRENT_LIST_DIR}/dialog_track_text.cpp)
target_include_directories(qg_dialog_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})

if(NOT QG_PORTABLE_ONLY)
  include(${QG_SOURCE_DIR}/cmake/home_address.cmake)
  set(_qg_dialog
    ${CMAKE_CURRENT_LIST_DIR}/dialog_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog_zoom.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_dialog.cpp)
  if(WIN32)
    # The artwork and stored properties come from the program's resources.
    add_library(qg_settings_dialog STATIC ${_qg_dialog}
      ${CMAKE_CURRENT_LIST_DIR}/win32/dialog_platform_win32.cpp
      ${CMAKE_CURRENT_LIST_DIR}/win32/dialog_zoom_win32.cpp)
  else()
    find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets)
    add_library(qg_settings_dialog STATIC ${_qg_dialog}
      ${CMAKE_CURRENT_LIST_DIR}/qt/dialog_zoom_qt.cpp
      ${CMAKE_CURRENT_LIST_DIR}/qt/dialog_platform_qt.cpp)
    # The artwork and the stored control properties are built into the program.
    qt_add_resources(qg_settings_dialog dialog_artwork PREFIX "/dialog" BASE ${QG_SOURCE_DIR}/assets FILES
      ${QG_SOURCE_DIR}/assets/texture.bmp ${QG_SOURCE_DIR}/assets/mark_empty.bmp
      ${QG_SOURCE_DIR}/assets/mark_filled.bmp ${QG_SOURCE_DIR}/assets/hand.cur
      ${QG_SOURCE_DIR}/assets/quiverglide.ico)
    qt_add_resources(qg_settings_dialog dialog_stored_properties PREFIX "/dialog" BASE ${CMAKE_CURRENT_LIST_DIR} FILES
      ${CMAKE_CURRENT_LIST_DIR}/wobblevista_p.props)
    target_link_libraries(qg_settings_dialog PUBLIC Qt6::Widgets)
  endif()
  target_include_directories(qg_settings_dialog PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_compile_definitions(qg_settings_dialog PRIVATE QG_HOME_ADDRESS="${QG_HOME_ADDRESS}" QG_VERSION_TEXT="${QG_VERSION}")
  # The Command control and the form layer are made in folders added later;
  # names resolve at generation.
  if(WIN32)
    target_link_libraries(qg_settings_dialog PUBLIC qg_command_win32 qg_forms_win32)
  else()
    target_link_libraries(qg_settings_dialog PUBLIC qg_command_qt qg_forms_qt)
  endif()
  target_link_libraries(qg_settings_dialog PUBLIC qg_dialog_core qg_settings_file qg_music_settings)
endif()
