# Test layers 2 and 3 (built with MinGW, run under Wine) and layer 1 (host build, included).
include(GoogleTest)

set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_link_options(gtest PUBLIC -static)

# The program's modules again, with the test hooks that the shipped exe never has.
add_library(vexlo_core_hooks STATIC ${VEXLO_SOURCES})
target_link_libraries(vexlo_core_hooks PUBLIC vexlo_flags ${VEXLO_SYSLIBS})
target_compile_definitions(vexlo_core_hooks PUBLIC VEXLO_TEST_HOOKS=1)

# Resources linked into the in-process tests, so LoadImage/LoadIcon find the artwork.
file(GLOB WINE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*.cpp)
add_executable(wine_tests ${WINE_TEST_SOURCES} ${CMAKE_SOURCE_DIR}/resources/vexlo.rc
  ${CMAKE_SOURCE_DIR}/tools/shot/capture.cpp)
target_link_libraries(wine_tests PRIVATE vexlo_core_hooks gtest gtest_main z ntdll)
target_compile_options(wine_tests PRIVATE -fexec-charset=CP1251)
target_link_options(wine_tests PRIVATE -static)
set_target_properties(wine_tests PROPERTIES CROSSCOMPILING_EMULATOR "bash;${CMAKE_SOURCE_DIR}/tools/wine-wm.sh")
# Wine's debugger can end a crashed process quietly; its report still fails the test.
set(WINE_CRASH_PATTERN "Unhandled page fault|Unhandled exception|SEH exception|starting debugger")
# Tests that share a display and a prefix (a world) never overlap; the two worlds
# run side by side (ctest -j2), since most of their time is Wine waiting.
gtest_discover_tests(wine_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
  TEST_PREFIX "wine." PROPERTIES TIMEOUT 120 FAIL_REGULAR_EXPRESSION "${WINE_CRASH_PATTERN}"
  RESOURCE_LOCK wm_world)

# End-to-end: a driver that starts the real exe and watches it from outside.
file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
list(FILTER E2E_SOURCES EXCLUDE REGEX "driver_tool\\.cpp$")
# The same tests run twice: with the window manager (e2e.*) and, through
# tools/wine-bare.sh, on a display with none (e2e-bare.*).
add_library(e2e_objects OBJECT ${E2E_SOURCES} ${CMAKE_SOURCE_DIR}/tools/shot/capture.cpp)
target_link_libraries(e2e_objects PRIVATE gtest vexlo_flags)
foreach(mode e2e e2e-bare)
  string(REPLACE "-" "_" target ${mode}_tests)
  add_executable(${target} $<TARGET_OBJECTS:e2e_objects>)
  target_link_libraries(${target} PRIVATE gtest gtest_main vexlo_flags z user32 gdi32 advapi32 shlwapi ws2_32 kernel32)
  target_link_options(${target} PRIVATE -static)
  add_dependencies(${target} vexlo)
  if(mode STREQUAL "e2e-bare")
    set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR "bash;${CMAKE_SOURCE_DIR}/tools/wine-bare.sh")
  endif()
  set(world wm_world)
  if(mode STREQUAL "e2e-bare")
    set(world bare_world)
  endif()
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    TEST_PREFIX "${mode}." PROPERTIES TIMEOUT 180 FAIL_REGULAR_EXPRESSION "${WINE_CRASH_PATTERN}"
    ENVIRONMENT "VEXLO_EXE=$<TARGET_FILE:vexlo>" RESOURCE_LOCK ${world})
endforeach()

# Host unit tests (native g++ with sanitizers) are built in their own tree by the
# test command; include their tests so one ctest run covers every layer.
set(VEXLO_HOST_BUILD "" CACHE PATH "Build tree of tests/host")
if(VEXLO_HOST_BUILD)
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${VEXLO_HOST_BUILD}/CTestTestfile.cmake)
endif()

# Budgets of the shipped 32-bit exe.
set(VEXLO_RELEASE_EXE "" CACHE FILEPATH "The i686 release vexlo.exe")
if(VEXLO_RELEASE_EXE)
  add_test(NAME budget.ReleaseExeSizeAndImports
           COMMAND bash ${CMAKE_SOURCE_DIR}/tools/check_exe.sh ${VEXLO_RELEASE_EXE})
endif()

# The committed artwork and the compiled resource script: sizes, named colours, dialog styles.
add_test(NAME art.CheckArtworkAndResources
         COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/artgen/check_art.py ${CMAKE_SOURCE_DIR}/resources)

# A target in a process of its own whose thread can be put to sleep (the action tests).
add_executable(vexlo_stuck_target WIN32 ${CMAKE_SOURCE_DIR}/tests/helpers/stuck_target.cpp)
target_link_options(vexlo_stuck_target PRIVATE -static)
add_dependencies(wine_tests vexlo_stuck_target)

# ---- Soak: the real exe under seeded random real input (tests/soak). ----
# The targets' long title is 1251 text; fixed seeds, so a red run replays.
target_compile_options(vexlo_stuck_target PRIVATE -fexec-charset=CP1251)
add_executable(vexlo_soak ${CMAKE_SOURCE_DIR}/tests/soak/soak.cpp ${CMAKE_SOURCE_DIR}/tests/e2e/driver.cpp
  ${CMAKE_SOURCE_DIR}/tools/shot/capture.cpp)
target_link_libraries(vexlo_soak PRIVATE vexlo_flags z user32 gdi32 advapi32 shlwapi ws2_32 kernel32 shell32 psapi ntdll)
target_link_options(vexlo_soak PRIVATE -static)
add_dependencies(vexlo_soak vexlo vexlo_stuck_target)
# Seed 283904912 failed at event 160 when Wine's display contexts had grown; it runs past that point.
foreach(run "1 25" "283904912 60")
  separate_arguments(run)
  list(GET run 0 seed)
  list(GET run 1 seconds)
  add_test(NAME soak.Seed${seed} COMMAND vexlo_soak ${seed} ${seconds})
  # Its latency bounds are kept for a machine with nothing else running: it holds both worlds.
  set_tests_properties(soak.Seed${seed} PROPERTIES TIMEOUT 180 ENVIRONMENT "VEXLO_EXE=$<TARGET_FILE:vexlo>"
    FAIL_REGULAR_EXPRESSION "${WINE_CRASH_PATTERN}" RESOURCE_LOCK "wm_world;bare_world")
endforeach()
