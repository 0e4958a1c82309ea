# The show: desktop snapshot, renderer start and watch, display-mode safety,
# and the preview's X11 helpers. Included at the end of saver/CMakeLists.txt.

# Platform-free: the snapshot's bitmap layout, the renderer watch's rule and
# the music steps of a show.
add_library(qg_show_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/show/bmp_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/show/desktop_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/show/renderer_watch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/show/sound_kind.cpp
  ${CMAKE_CURRENT_LIST_DIR}/show/show_music.cpp)
target_include_directories(qg_show_core PUBLIC ${CMAKE_CURRENT_LIST_DIR}/show)
target_link_libraries(qg_show_core PUBLIC qg_music)

if(NOT QG_PORTABLE_ONLY)
  find_package(X11 REQUIRED)
  # Linux and X11 services of the show.
  add_library(qg_show_platform STATIC
    ${CMAKE_CURRENT_LIST_DIR}/show/x11/desktop_capture_x11.cpp
    ${CMAKE_CURRENT_LIST_DIR}/show/x11/display_mode_guard_x11.cpp
    ${CMAKE_CURRENT_LIST_DIR}/show/x11/x11_window_probe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/show/x11/x_error_trap.cpp
    ${CMAKE_CURRENT_LIST_DIR}/show/linux/end_request_posix.cpp
    ${CMAKE_CURRENT_LIST_DIR}/show/linux/renderer_process_posix.cpp
    ${CMAKE_CURRENT_LIST_DIR}/show/linux/snapshot_writer_posix.cpp)
  target_link_libraries(qg_show_platform PUBLIC qg_show_core qg_snapshot_path qg_termination_signals
    PRIVATE X11::X11 X11::Xext X11::Xrandr)

  if(TARGET quiverglide_saver)
    # The run form's services and the music player with its Linux back end.
    target_link_libraries(quiverglide_saver PRIVATE qg_show_platform qg_music qg_music_linux)
    # The preview form's two pictures travel inside the program, as designed
    # pictures of a form do.
    qt_add_resources(quiverglide_saver "show_pictures"
      PREFIX "/show"
      BASE ${QG_SOURCE_DIR}/assets
      FILES ${QG_SOURCE_DIR}/assets/preview_background.jpg ${QG_SOURCE_DIR}/assets/preview_image.jpg)
  endif()
endif()
