# One static library per folder of src/, each linking only the folders below it. A library's
# headers are visible only to the libraries that link it: each library has an include folder
# of its own in the build tree, holding links to its headers under their folder's name, so
# that an include against the order fails to compile. The order is also written to
# layers.txt, from which the layer check (cmake/check_layers.cmake) tells which includes each
# folder may have.
set(DUSTBANE_INCLUDE_ROOT ${CMAKE_BINARY_DIR}/include)
file(WRITE ${CMAKE_BINARY_DIR}/layers.txt "")

# dustbane_library(<target> <folder below src> [WIN32_ONLY] [LINKS <libraries>...])
# A WIN32_ONLY library is built by the Windows build only; the native build still records
# its place in the order, so that the layer check knows it everywhere.
function(dustbane_library target folder)
    cmake_parse_arguments(PARSE_ARGV 2 arg "WIN32_ONLY" "" "LINKS")
    # The folders this one may include: its own and those of every library it links.
    set(reachable ${folder})
    foreach(library ${arg_LINKS})
        get_property(below GLOBAL PROPERTY DUSTBANE_REACHABLE_${library})
        list(APPEND reachable ${below})
    endforeach()
    list(REMOVE_DUPLICATES reachable)
    set_property(GLOBAL PROPERTY DUSTBANE_REACHABLE_${target} ${reachable})
    list(JOIN reachable " " reachable_text)
    file(APPEND ${CMAKE_BINARY_DIR}/layers.txt "${folder}: ${reachable_text}\n")
    if(arg_WIN32_ONLY AND NOT WIN32)
        return()
    endif()

    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.h)
    set(include_dir ${DUSTBANE_INCLUDE_ROOT}/${target})
    file(REMOVE_RECURSE ${include_dir})
    file(MAKE_DIRECTORY ${include_dir}/${folder})
    foreach(header ${headers})
        get_filename_component(header_name ${header} NAME)
        file(CREATE_LINK ${header} ${include_dir}/${folder}/${header_name} SYMBOLIC)
    endforeach()
    if(sources)
        add_library(${target} STATIC ${sources})
        set(scope PUBLIC)
    else()
        add_library(${target} INTERFACE)
        set(scope INTERFACE)
    endif()
    target_include_directories(${target} ${scope} ${include_dir})
    target_link_libraries(${target} ${scope} ${arg_LINKS})
endfunction()
