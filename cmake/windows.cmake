# The Windows front end, the program and its data folder.

# The version for the resource script and the about window, from project()
# alone; the resource's numbers want all four parts.
foreach(part MAJOR MINOR PATCH TWEAK)
  if(PROJECT_VERSION_${part})
    set(QV_VERSION_${part} ${PROJECT_VERSION_${part}})
  else()
    set(QV_VERSION_${part} 0)
  endif()
endforeach()
set(QORVANE_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/res/qv_version.h.in ${QORVANE_GENERATED}/qv_version.h @ONLY)
# The resource compilers find the script's files on its include path too.
configure_file(${CMAKE_SOURCE_DIR}/res/qorvane.manifest.in ${QORVANE_GENERATED}/qorvane.manifest @ONLY)

add_library(qorvane_win STATIC
  src/platform/window.cpp
  src/platform/real_services.cpp
  src/platform/help_viewer.cpp
  src/platform/shell_open.cpp
  src/platform/local_time_setter.cpp
  src/platform/elevation.cpp
  src/platform/late_bound.cpp
  src/platform/dpi.cpp
  src/platform/monitors.cpp
  src/platform/module_path.cpp
  src/platform/form.cpp
  src/platform/mci_queue.cpp
  src/platform/message_loop.cpp
  src/tray/ModTray.cpp
  src/face/frmmain.cpp
  src/app/app_host.cpp
  src/alarm/alarm_host.cpp
  src/alarm/frmclock.cpp
  src/alarm/repeat_chooser.cpp
  src/alarm/frmmsg.cpp
  src/platform/picture_button.cpp
  src/platform/contrast.cpp
  src/platform/accessible.cpp
  src/platform/control_name.cpp
  src/platform/ui_text.cpp
  src/platform/win_registry_store.cpp
  src/settings/Frmoptions.cpp
  src/about/frmabout.cpp
)
target_include_directories(qorvane_win PUBLIC src res ${QORVANE_GENERATED})
target_compile_definitions(qorvane_win PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                              _WIN32_WINNT=0x0601 WINVER=0x0601)
# The common controls, the shell, themes, COM and multimedia are loaded on
# first use (platform/late_bound), so they are not in the import table.
target_link_libraries(qorvane_win PUBLIC qorvane_core user32 gdi32 advapi32)

if(MINGW)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
  # Static runtime: the exe needs nothing but the system's own DLLs.
  set(QORVANE_STATIC_LINK -static -static-libgcc -static-libstdc++)
endif()

# Resources go into every executable that creates the real windows.
set(QORVANE_RC ${CMAKE_SOURCE_DIR}/res/qorvane.rc)
file(GLOB QORVANE_RES_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.bmp ${CMAKE_SOURCE_DIR}/res/*.ico ${CMAKE_SOURCE_DIR}/res/*.cur ${CMAKE_SOURCE_DIR}/res/*.wav
     ${CMAKE_SOURCE_DIR}/res/*.manifest ${CMAKE_SOURCE_DIR}/res/*.h)
list(APPEND QORVANE_RES_FILES ${QORVANE_GENERATED}/qv_version.h ${QORVANE_GENERATED}/qorvane.manifest)
set_source_files_properties(${QORVANE_RC} PROPERTIES OBJECT_DEPENDS "${QORVANE_RES_FILES}")

if(MSVC)
  # The script embeds our manifest as resource 1; the linker's own would
  # clash with it (CVT1100, LNK1123) or CMake's manifest step would replace
  # it, so every executable that takes the script links without one.
  function(qorvane_own_manifest)
    get_property(targets DIRECTORY ${CMAKE_SOURCE_DIR} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(sources ${target} SOURCES)
      if(QORVANE_RC IN_LIST sources)
        target_link_options(${target} PRIVATE /MANIFEST:NO)
      endif()
    endforeach()
  endfunction()
  # Deferred to the end of this folder, so the tests' executables count too.
  cmake_language(DEFER CALL qorvane_own_manifest)
endif()

# The crash path is built into each executable itself (app/fail_fast.h).
set(QORVANE_CRASH_SOURCE ${CMAKE_SOURCE_DIR}/src/app/fail_fast.cpp)
add_executable(qorvane WIN32 src/app/main.cpp ${QORVANE_CRASH_SOURCE} ${QORVANE_RC})
target_link_libraries(qorvane PRIVATE qorvane_win)
if(MINGW)
  # The shipped exe carries no symbols; the tests keep theirs, but for the
  # crash test's probe, linked as the exe is.
  set(QORVANE_EXE_LINK -municode ${QORVANE_STATIC_LINK} -Wl,--gc-sections -s)
  target_link_options(qorvane PRIVATE ${QORVANE_EXE_LINK})
endif()
if(MSVC)
  # What the exe's imports import is looked for in the system folder only,
  # from before its first line runs (the GNU linkers offer no such flag).
  target_link_options(qorvane PRIVATE /DEPENDENTLOADFLAG:0x800)
endif()

# The data folder beside the exe: the tune as it stands, the help file built
# from its HTML sources.
configure_file(${CMAKE_SOURCE_DIR}/image/1.mid ${CMAKE_BINARY_DIR}/image/1.mid COPYONLY)
find_program(CHMCMD chmcmd)
set(HELP_DIR ${CMAKE_SOURCE_DIR}/help)
file(GLOB HELP_SOURCES CONFIGURE_DEPENDS ${HELP_DIR}/*.html ${HELP_DIR}/*.hhp ${HELP_DIR}/*.hhc ${HELP_DIR}/*.hhk ${HELP_DIR}/*.css)
set(HELP_CHM ${CMAKE_BINARY_DIR}/image/help.chm)
if(CHMCMD)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/help-build ${CMAKE_BINARY_DIR}/image)
  add_custom_command(OUTPUT ${HELP_CHM}
    COMMAND ${CMAKE_COMMAND} -E rm -f help.chm
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${HELP_DIR} ${CMAKE_BINARY_DIR}/help-build
    COMMAND ${CHMCMD} help.hhp > chmcmd.log
    COMMAND ${CMAKE_COMMAND} -E copy help.chm ${HELP_CHM}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/help-build
    DEPENDS ${HELP_SOURCES}
    COMMENT "Compiling the help file")
  add_custom_target(help_chm ALL DEPENDS ${HELP_CHM})
endif()

# Multi-config generators put the exe in a folder per configuration: copy
# the data folder there whenever qorvane is built, so it is never stale.
get_property(QORVANE_MULTI_CONFIG GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
if(QORVANE_MULTI_CONFIG)
  add_custom_target(image_folder
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/image $<TARGET_FILE_DIR:qorvane>/image
    COMMENT "Copying image/ beside qorvane.exe")
  if(CHMCMD)
    add_dependencies(image_folder help_chm)
  endif()
  add_dependencies(qorvane image_folder)
endif()

# The private Wine prefix of this build folder, made once.
if(CMAKE_CROSSCOMPILING)
  set(QORVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  add_custom_command(OUTPUT ${QORVANE_WINEPREFIX}/.qorvane-prefix-v2
    COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-prefix.sh ${QORVANE_WINEPREFIX}
    COMMENT "Preparing the private Wine prefix")
  add_custom_target(wineprefix ALL DEPENDS ${QORVANE_WINEPREFIX}/.qorvane-prefix-v2)
endif()

# Figures for `make bench`; not part of the tests.
add_executable(face_bench EXCLUDE_FROM_ALL bench/face_bench.cpp bench/floor_face.cpp ${QORVANE_RC})
target_link_libraries(face_bench PRIVATE qorvane_win psapi)
if(MINGW)
  target_link_options(face_bench PRIVATE ${QORVANE_STATIC_LINK})
endif()

# The floor: the least a face can honestly do, beside which the figures read.
add_executable(floor_face WIN32 EXCLUDE_FROM_ALL bench/floor_face.cpp)
target_compile_definitions(floor_face PRIVATE UNICODE _UNICODE)
add_executable(idle_bench EXCLUDE_FROM_ALL bench/idle_bench.cpp bench/idle_probe.cpp
               bench/floor_face.cpp ${QORVANE_RC})
target_link_libraries(idle_bench PRIVATE qorvane_win)
if(MINGW)
  target_link_options(floor_face PRIVATE -municode ${QORVANE_STATIC_LINK})
  target_link_options(idle_bench PRIVATE ${QORVANE_STATIC_LINK})
endif()
