# Native build: the portable core and its unit tests against in-memory fakes.
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

file(GLOB DUSTBANE_FAKE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/fakes/*.cpp)
file(GLOB DUSTBANE_UNIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)

add_library(dustbane_fakes STATIC ${DUSTBANE_FAKE_SOURCES})
target_link_libraries(dustbane_fakes PUBLIC dustbane_app dustbane_cli)
target_include_directories(dustbane_fakes PUBLIC ${CMAKE_SOURCE_DIR}/tests/unit)

add_executable(unit_tests ${DUSTBANE_UNIT_SOURCES})
target_link_libraries(unit_tests PRIVATE dustbane_fakes dustbane_nlohmann_json GTest::gtest GTest::gtest_main Threads::Threads)
# The policy templates' test reads policies/Dustbane.admx from the source tree.
target_compile_definitions(unit_tests PRIVATE DUSTBANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST)

# Every include in src/ follows the layer order of the libraries.
add_test(NAME LayerOrder.IncludesFollowTheLayers
         COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DLAYERS=${CMAKE_BINARY_DIR}/layers.txt
                 -P ${CMAKE_SOURCE_DIR}/cmake/check_layers.cmake)

# The Group Policy templates are well-formed and every language defines what the ADMX names.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME PolicyTemplates.EveryLanguageDefinesWhatTheAdmxNames
         COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tests/policies/check_templates.py
                 ${CMAKE_SOURCE_DIR}/policies)
