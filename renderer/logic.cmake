# Platform-free renderer logic: display settings, frame timer, scene, pieces,
# bitmap decoder and snapshot loader. GL and GLU are dependencies of the
# logic, not platform services, so this builds in every configuration.
find_package(OpenGL REQUIRED COMPONENTS OpenGL)

# The sources once, as objects: the library links them against the real GL,
# the unit tests against a recording stand-in.
add_library(qg_renderer_core_objects OBJECT
  ${CMAKE_CURRENT_LIST_DIR}/frame_timer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pieces.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bitmap_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/snapshot_loader.cpp)
target_include_directories(qg_renderer_core_objects PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_include_directories(qg_renderer_core_objects SYSTEM PUBLIC ${OPENGL_INCLUDE_DIR})
target_link_libraries(qg_renderer_core_objects PUBLIC qg_snapshot_path)

add_library(qg_renderer_core STATIC $<TARGET_OBJECTS:qg_renderer_core_objects>)
target_include_directories(qg_renderer_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(qg_renderer_core PUBLIC OpenGL::GL OpenGL::GLU qg_snapshot_path)
