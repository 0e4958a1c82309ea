# The renderer's spine: start-up, message loop and window procedure, written
# against renderer_platform.h only, so it builds (and is tested) everywhere.
add_library(qg_renderer_spine STATIC ${CMAKE_CURRENT_LIST_DIR}/renderer_app.cpp)
target_include_directories(qg_renderer_spine PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(qg_renderer_spine PUBLIC qg_renderer_core)
