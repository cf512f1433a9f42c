# nlohmann/json, header-only, from Debian's nlohmann-json3-dev, for the /json reports.
# The cross build must never search the host's /usr/include (its C library headers are not
# Windows'), and the toolchain file keeps find_path inside the mingw root. So the headers are
# looked for outside that root, and both builds see them through an include folder in the
# build tree that holds a link to the nlohmann folder alone. Set DUSTBANE_NLOHMANN_JSON_ROOT
# to the folder holding nlohmann/json.hpp to use another copy.
find_path(DUSTBANE_NLOHMANN_JSON_ROOT nlohmann/json.hpp PATHS /usr/include /usr/local/include
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(DUSTBANE_NLOHMANN_JSON_INCLUDE ${CMAKE_BINARY_DIR}/third_party/include)
file(REMOVE_RECURSE ${DUSTBANE_NLOHMANN_JSON_INCLUDE})
file(MAKE_DIRECTORY ${DUSTBANE_NLOHMANN_JSON_INCLUDE})
file(CREATE_LINK ${DUSTBANE_NLOHMANN_JSON_ROOT}/nlohmann ${DUSTBANE_NLOHMANN_JSON_INCLUDE}/nlohmann
     SYMBOLIC)
add_library(dustbane_nlohmann_json INTERFACE)
# A system folder: the library's own code is not held to the project's warnings.
target_include_directories(dustbane_nlohmann_json SYSTEM INTERFACE ${DUSTBANE_NLOHMANN_JSON_INCLUDE})
