# The show: desktop snapshot, renderer start and watch, display-mode safety,
# end requests and the preview's host window, for both builds. Included at
# the end of saver/CMakeLists.txt.
set(_qg_show ${CMAKE_CURRENT_LIST_DIR}/show)

# The desktop picture and the snapshot's bitmap layout, the one writer of
# that file's bytes (tests and benchmarks make their snapshots with it too).
add_library(qg_snapshot_bmp STATIC ${_qg_show}/bmp_format.cpp ${_qg_show}/desktop_picture.cpp)
target_include_directories(qg_snapshot_bmp PUBLIC ${_qg_show})

# Platform-free: the renderer watch's rule and the music steps of a show.
add_library(qg_show_core STATIC
  ${_qg_show}/renderer_watch.cpp
  ${_qg_show}/sound_kind.cpp
  ${_qg_show}/show_music.cpp
  ${_qg_show}/hosted_start.cpp
  ${_qg_show}/desktop_composer.cpp)
target_include_directories(qg_show_core PUBLIC ${_qg_show})
target_link_libraries(qg_show_core PUBLIC qg_snapshot_bmp qg_music qg_snapshot_path)

if(WIN32)
  # The show's services on Windows.
  add_library(qg_show_platform STATIC
    ${_qg_show}/win32/desktop_capture_win32.cpp
    ${_qg_show}/win32/display_mode_guard_win32.cpp
    ${_qg_show}/win32/end_request_win32.cpp
    ${_qg_show}/win32/renderer_process_win32.cpp
    ${_qg_show}/win32/snapshot_writer_win32.cpp
    ${_qg_show}/win32/window_probe_win32.cpp)
  target_link_libraries(qg_show_platform PUBLIC qg_show_core qg_snapshot_path PRIVATE qg_display_modes gdi32)
elseif(NOT QG_PORTABLE_ONLY)
  find_package(X11 REQUIRED)
  find_package(Qt6 REQUIRED COMPONENTS Gui)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(QG_DBUS REQUIRED IMPORTED_TARGET dbus-1)
  # The desktop photograph on Wayland: the compositor's screen copier, else
  # the desktop portal (libdbus for the bus, QImage for its picture file).
  add_library(qg_show_wayland STATIC
    ${_qg_show}/wayland/wayland_desktop.cpp
    ${_qg_show}/wayland/shm_buffer.cpp
    ${_qg_show}/wayland/screencopy.cpp
    ${_qg_show}/wayland/portal_screenshot.cpp
    ${_qg_show}/wayland/desktop_capture_wayland.cpp)
  target_link_libraries(qg_show_wayland PUBLIC qg_show_core PRIVATE qg_wayland_protocols PkgConfig::QG_DBUS Qt6::Gui)

  # Linux services of the show, on X11 and on Wayland; the capture and the
  # mode guard go to X11 or Wayland as the display system is chosen.
  add_library(qg_show_platform STATIC
    ${_qg_show}/linux/desktop_capture_linux.cpp
    ${_qg_show}/x11/desktop_capture_x11.cpp
    ${_qg_show}/x11/display_mode_guard_x11.cpp
    ${_qg_show}/wayland/wayland_mode_guard.cpp
    ${_qg_show}/linux/display_mode_guard_linux.cpp
    ${_qg_show}/wayland/renderer_tied_start.cpp
    ${_qg_show}/x11/x11_window_probe.cpp
    ${_qg_show}/x11/x_error_trap.cpp
    ${_qg_show}/x11/daemon_screenshot.cpp
    ${_qg_show}/linux/session_music_lock.cpp
    ${_qg_show}/linux/end_request_posix.cpp
    ${_qg_show}/linux/renderer_process_posix.cpp
    ${_qg_show}/linux/snapshot_writer_posix.cpp)
  target_link_libraries(qg_show_platform PUBLIC qg_show_core qg_snapshot_path qg_termination_signals
    PRIVATE qg_display_modes qg_show_wayland qg_session_marker
    X11::X11 X11::X11_xcb X11::xcb X11::Xext X11::Xrandr)

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
