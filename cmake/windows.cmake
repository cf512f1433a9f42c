# Windows build: Dustbane.exe, linked statically so that it runs alone, and the Wine-run tests.
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
set(DUSTBANE_STATIC_LINK -static -static-libgcc -static-libstdc++)

# The program's entry point, above every library: it chooses the window or the console.
add_executable(Dustbane WIN32 ${CMAKE_SOURCE_DIR}/src/win_main.cpp ${CMAKE_SOURCE_DIR}/resources/dustbane.rc)
# windres does not report what the script pulls in, so name it: the pictures and the manifest.
file(GLOB DUSTBANE_RESOURCE_INPUTS CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/resources/images/*.ico ${CMAKE_SOURCE_DIR}/resources/*.manifest
     ${CMAKE_SOURCE_DIR}/resources/options_dialog.rc ${CMAKE_SOURCE_DIR}/src/app/win32/resource_ids.h
     ${CMAKE_SOURCE_DIR}/src/options/win32/options_ids.h)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/dustbane.rc PROPERTIES
    OBJECT_DEPENDS "${DUSTBANE_RESOURCE_INPUTS}")
target_link_libraries(Dustbane PRIVATE dustbane_app_win32 dustbane_cli_win32)
target_link_options(Dustbane PRIVATE ${DUSTBANE_STATIC_LINK})

# The files that sit beside Dustbane.exe in its installation folder.
add_custom_command(TARGET Dustbane POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/resources/help.htm $<TARGET_FILE_DIR:Dustbane>/help.htm)

# GoogleTest from the sources Debian ships, built with mingw for the Wine-run tests.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -Wno-error)
target_compile_options(gtest_main PRIVATE -Wno-error)

# What the platform and end-to-end tests share: preparing things under Wine.
file(GLOB DUSTBANE_TEST_SUPPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)

file(GLOB DUSTBANE_PLATFORM_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
# Until the first platform test exists there is nothing to build; scripts/test.sh says so.
if(DUSTBANE_PLATFORM_TEST_SOURCES)
    add_executable(platform_tests ${DUSTBANE_PLATFORM_TEST_SOURCES} ${DUSTBANE_TEST_SUPPORT_SOURCES})
    target_include_directories(platform_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
    target_link_libraries(platform_tests PRIVATE dustbane_app_win32 dustbane_cli_win32 gtest gtest_main)
    target_link_options(platform_tests PRIVATE ${DUSTBANE_STATIC_LINK})
endif()

# The end-to-end scenarios and their driver: a program of their own that drives Dustbane.exe
# from outside, so it links none of Dustbane's code but the text conversion.
file(GLOB DUSTBANE_E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp ${CMAKE_SOURCE_DIR}/tests/e2e/driver/*.cpp)
add_executable(e2e_tests ${DUSTBANE_E2E_SOURCES} ${DUSTBANE_TEST_SUPPORT_SOURCES}
               ${CMAKE_SOURCE_DIR}/src/platform/win32/text.cpp)
target_include_directories(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/e2e ${CMAKE_SOURCE_DIR}/tests/support ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(e2e_tests PRIVATE gtest gtest_main dustbane_nlohmann_json comctl32 user32 advapi32 shell32 ole32 gdi32 msi)
target_link_options(e2e_tests PRIVATE ${DUSTBANE_STATIC_LINK})
include(cmake/installer.cmake)

# Benchmarks, run under Wine by scripts/bench.sh: bench times the scan on generated trees
# against bare loops and del, and the analysis against the bare walk; window_bench drives the
# real window through a clean, with the end-to-end driver, and times it against /clean.
add_executable(bench ${CMAKE_SOURCE_DIR}/bench/scan_bench.cpp ${CMAKE_SOURCE_DIR}/bench/bench_tree.cpp)
target_link_libraries(bench PRIVATE dustbane_app_win32 dustbane_cli_win32)
target_link_options(bench PRIVATE ${DUSTBANE_STATIC_LINK})
file(GLOB DUSTBANE_E2E_DRIVER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/driver/*.cpp)
add_executable(window_bench ${CMAKE_SOURCE_DIR}/bench/window_bench.cpp
               ${CMAKE_SOURCE_DIR}/bench/bench_tree.cpp ${DUSTBANE_E2E_DRIVER_SOURCES})
target_include_directories(window_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/e2e ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(window_bench PRIVATE dustbane_platform_win32)
target_link_options(window_bench PRIVATE ${DUSTBANE_STATIC_LINK})
