# Every #include in src/ against the layers (tools/check_layers.sh); it
# needs no compiler, so the native build alone runs it.
if(NOT WIN32)
  add_test(NAME layers COMMAND ${CMAKE_SOURCE_DIR}/tools/check_layers.sh ${CMAKE_SOURCE_DIR}/src)
endif()

# GoogleTest from Debian's source package, built with the same compiler and
# flags as the code under test (sanitizers natively, static under mingw).
set(QORVANE_GTEST_SOURCE /usr/src/googletest CACHE PATH
    "GoogleTest sources to build the tests with (Debian package googletest)")
if(EXISTS ${QORVANE_GTEST_SOURCE}/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  # Only MSVC reads it: OFF keeps GoogleTest on our static runtime.
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QORVANE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest)
  if(NOT GTest_FOUND)
    message(WARNING "GoogleTest not found, so the tests are skipped. Install it "
                    "(Debian: googletest), point QORVANE_GTEST_SOURCE at its sources "
                    "or GTEST_ROOT at an installed copy, or configure with -DQORVANE_TESTS=OFF.")
    return()
  endif()
  add_library(gtest_main ALIAS GTest::gtest_main)
  add_library(gtest ALIAS GTest::gtest)
endif()

add_executable(core_tests
  tests/core/datetext_test.cpp
  tests/core/repeat_rule_test.cpp
  tests/core/Modmain_test.cpp
  tests/core/number_text_test.cpp
  tests/core/hands_test.cpp
  tests/core/screen_home_test.cpp
  tests/core/seconds_test.cpp
  tests/core/screen_units_test.cpp
  tests/core/drive_scan_test.cpp
  tests/core/twin_marks_test.cpp
  tests/core/tray_route_test.cpp
  tests/core/alarm_rules_test.cpp
  tests/core/alarm_controller_test.cpp
  tests/core/kept_alarm_test.cpp
  tests/core/run_once_test.cpp
  tests/core/settings_rules_test.cpp
  tests/core/clsreg_test.cpp
  tests/core/about_shape_test.cpp
  tests/core/start_rules_test.cpp
  tests/core/contrast_rules_test.cpp
)
target_link_libraries(core_tests PRIVATE qorvane_core gtest_main)
if(MINGW)
  target_link_options(core_tests PRIVATE -static)
endif()

# Under the cross toolchain the emulator runs this under Wine.
add_test(NAME core_tests COMMAND core_tests)

if(WIN32 AND CMAKE_CROSSCOMPILING)
  include(cmake/wine_tests.cmake)
endif()

# The alarm tune, rendered and measured: a real tune of a sensible length;
# and the sound that stands in for it, measured the same way.
if(NOT WIN32)
  add_test(NAME tune COMMAND ${CMAKE_SOURCE_DIR}/tests/tune/tune_check.sh ${CMAKE_SOURCE_DIR}/image/1.mid)
  add_test(NAME alarm_sound COMMAND ${CMAKE_SOURCE_DIR}/tests/tune/tune_check.sh ${CMAKE_SOURCE_DIR}/res/alarm.wav)
endif()
