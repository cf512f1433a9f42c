# libFuzzer targets: the readers of everything Dustbane takes from outside (language files,
# the clean log, registry values, the command line, the file-type lists), each fuzzing the
# real portable code against the in-memory fakes.
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)

file(GLOB DUSTBANE_FAKE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/fakes/*.cpp)
add_library(dustbane_fakes STATIC ${DUSTBANE_FAKE_SOURCES})
target_link_libraries(dustbane_fakes PUBLIC dustbane_app dustbane_cli)
target_include_directories(dustbane_fakes PUBLIC ${CMAKE_SOURCE_DIR}/tests/unit)

file(GLOB DUSTBANE_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
foreach(source ${DUSTBANE_FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE dustbane_fakes)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endforeach()
