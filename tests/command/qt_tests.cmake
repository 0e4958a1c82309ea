# Offscreen tests of the Command widget over the Qt form layer.
if(NOT QG_PORTABLE_ONLY)
  find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
  add_executable(command_widget_tests command_widget_test.cpp)
  target_link_libraries(command_widget_tests qg_command_qt Qt6::Test GTest::gtest)
  gtest_discover_tests(command_widget_tests)
endif()
