# Tests that run Windows programs under Wine, each on its own Xvfb display.
# They share the build's prefix, so they hold a lock and run one at a time.

set(QORVANE_WINE_RUN ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${QORVANE_WINEPREFIX})
set_property(TARGET core_tests PROPERTY CROSSCOMPILING_EMULATOR ${QORVANE_WINE_RUN})
set_tests_properties(core_tests PROPERTIES RESOURCE_LOCK wineprefix)

add_executable(window_tests
  tests/win/face_window_test.cpp
  tests/win/tray_test.cpp
  tests/win/menus_test.cpp
  tests/win/platform_test.cpp
  tests/win/alarm_test.cpp
  tests/win/settings_test.cpp
  tests/win/accessibility_test.cpp
  tests/win/about_test.cpp
  tests/win/scaled_test.cpp
  tests/win/gallery.cpp
  tests/win/main.cpp
  ${QORVANE_RC}
)
target_link_libraries(window_tests PRIVATE qorvane_win gtest oleacc oleaut32 ole32)
# A library beside the tests that a search limited to the system folder must not find.
add_library(qv_probe SHARED tests/win/probe.cpp)
set_target_properties(qv_probe PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_dependencies(window_tests qv_probe)
target_link_options(window_tests PRIVATE ${QORVANE_STATIC_LINK})
set_property(TARGET window_tests PROPERTY CROSSCOMPILING_EMULATOR ${QORVANE_WINE_RUN})
add_test(NAME window_tests COMMAND window_tests)
set_tests_properties(window_tests PROPERTIES RESOURCE_LOCK wineprefix TIMEOUT 120)

# A lock such as a copy with administrator rights holds, for the face test.
add_executable(rights_holder tests/e2e/rights_holder.cpp)
target_compile_definitions(rights_holder PRIVATE UNICODE _UNICODE)
target_link_options(rights_holder PRIVATE -municode ${QORVANE_STATIC_LINK})

# A display settings change, for the screens test.
add_executable(screen_mode tests/e2e/screen_mode.cpp)
target_compile_definitions(screen_mode PRIVATE UNICODE _UNICODE)
target_link_options(screen_mode PRIVATE -municode ${QORVANE_STATIC_LINK})

# A copy the installer cannot close, for the installer test.
add_executable(deaf_face tests/dist/deaf_face.cpp)
target_compile_definitions(deaf_face PRIVATE UNICODE _UNICODE)
target_link_options(deaf_face PRIVATE -municode ${QORVANE_STATIC_LINK})

# The program's crash path in a program built and linked as the exe is.
add_executable(crash_probe WIN32 tests/e2e/crash_probe.cpp ${QORVANE_CRASH_SOURCE})
target_link_libraries(crash_probe PRIVATE qorvane_win)
target_link_options(crash_probe PRIVATE ${QORVANE_EXE_LINK})

# The real program driven from outside on its own display.
function(qv_end_to_end name script)
  add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/${script} ${CMAKE_BINARY_DIR} ${QORVANE_WINEPREFIX})
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wineprefix TIMEOUT 180)
endfunction()

qv_end_to_end(end_to_end face_e2e.sh)

qv_end_to_end(tray_end_to_end tray_e2e.sh)

qv_end_to_end(settings_end_to_end settings_e2e.sh)

qv_end_to_end(screens_end_to_end screens_e2e.sh)

qv_end_to_end(kept_end_to_end kept_e2e.sh)

qv_end_to_end(crash_end_to_end crash_e2e.sh)

# The help file as built: every page inside, with its contents and index.
add_test(NAME help_file COMMAND ${CMAKE_SOURCE_DIR}/tests/help/help_check.sh ${HELP_CHM})

# The release built from this very build, installed and removed under Wine.
add_test(NAME dist_build COMMAND ${CMAKE_SOURCE_DIR}/tools/dist.sh ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/dist)
set_tests_properties(dist_build PROPERTIES FIXTURES_SETUP dist)
add_test(NAME installer
  COMMAND ${CMAKE_SOURCE_DIR}/tests/dist/install_test.sh ${CMAKE_BINARY_DIR} ${QORVANE_WINEPREFIX}
          ${CMAKE_BINARY_DIR}/dist/qorvane-${PROJECT_VERSION}-setup.exe)
set_tests_properties(installer PROPERTIES FIXTURES_REQUIRED dist RESOURCE_LOCK wineprefix TIMEOUT 180)
