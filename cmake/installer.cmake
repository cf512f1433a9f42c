# The files that sit beside Dustbane.exe (besides help.htm), and the NSIS installer that
# ships them: build/windows/Dustbane-Setup.exe, built with ALL when makensis is found.

set(DUSTBANE_RESOURCES ${CMAKE_SOURCE_DIR}/resources)
file(GLOB DUSTBANE_LANGUAGE_FILES CONFIGURE_DEPENDS ${DUSTBANE_RESOURCES}/lang/*.ini)

set(DUSTBANE_BESIDE_FILES ${CMAKE_BINARY_DIR}/end.wav)
set(DUSTBANE_COPY_COMMANDS
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${DUSTBANE_RESOURCES}/end.wav ${CMAKE_BINARY_DIR}/end.wav
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/lang)
foreach(language_file IN LISTS DUSTBANE_LANGUAGE_FILES)
    get_filename_component(language_name ${language_file} NAME)
    list(APPEND DUSTBANE_BESIDE_FILES ${CMAKE_BINARY_DIR}/lang/${language_name})
    list(APPEND DUSTBANE_COPY_COMMANDS
         COMMAND ${CMAKE_COMMAND} -E copy_if_different ${language_file} ${CMAKE_BINARY_DIR}/lang/${language_name})
endforeach()

# A target of its own rather than a post-build step, so that an edited language file is
# copied again without relinking the program.
add_custom_command(OUTPUT ${DUSTBANE_BESIDE_FILES}
    ${DUSTBANE_COPY_COMMANDS}
    DEPENDS ${DUSTBANE_RESOURCES}/end.wav ${DUSTBANE_LANGUAGE_FILES}
    COMMENT "Copying end.wav and the language files beside Dustbane.exe"
    VERBATIM)
add_custom_target(dustbane_beside_files DEPENDS ${DUSTBANE_BESIDE_FILES})
add_dependencies(Dustbane dustbane_beside_files)

find_program(DUSTBANE_MAKENSIS makensis)
set(DUSTBANE_SETUP ${CMAKE_BINARY_DIR}/Dustbane-Setup.exe)
if(DUSTBANE_MAKENSIS)
    file(GLOB DUSTBANE_INSTALLER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/installer/*.ns?)

    # The one list of what the installer puts in the installation folder, each file by the
    # name it gets there and the file it comes from. The installer checks these names before
    # it writes anything, and records each file it writes for its uninstaller.
    set(DUSTBANE_PAYLOAD_LINES
        "  !insertmacro \${DO} \"Dustbane.exe\" \"$<TARGET_FILE:Dustbane>\""
        "  !insertmacro \${DO} \"help.htm\" \"${DUSTBANE_RESOURCES}/help.htm\""
        "  !insertmacro \${DO} \"end.wav\" \"${DUSTBANE_RESOURCES}/end.wav\"")
    foreach(language_file IN LISTS DUSTBANE_LANGUAGE_FILES)
        get_filename_component(language_name ${language_file} NAME)
        list(APPEND DUSTBANE_PAYLOAD_LINES
             "  !insertmacro \${DO} \"lang\\${language_name}\" \"${language_file}\"")
    endforeach()
    list(JOIN DUSTBANE_PAYLOAD_LINES "\n" DUSTBANE_PAYLOAD_LINES)
    set(DUSTBANE_PAYLOAD ${CMAKE_BINARY_DIR}/installer/payload.nsh)
    file(GENERATE OUTPUT ${DUSTBANE_PAYLOAD} CONTENT
"; Written by cmake/installer.cmake: the files of the installation folder.
!macro DUSTBANE_PAYLOAD DO
${DUSTBANE_PAYLOAD_LINES}
!macroend
")

    add_custom_command(OUTPUT ${DUSTBANE_SETUP}
        COMMAND ${DUSTBANE_MAKENSIS} -V2
                -DVERSION=${PROJECT_VERSION}
                -DPAYLOAD=${DUSTBANE_PAYLOAD}
                -DOUTFILE=${DUSTBANE_SETUP}
                ${CMAKE_SOURCE_DIR}/installer/dustbane.nsi
        DEPENDS Dustbane ${DUSTBANE_INSTALLER_SOURCES} ${DUSTBANE_PAYLOAD}
                ${DUSTBANE_RESOURCES}/help.htm ${DUSTBANE_RESOURCES}/end.wav
                ${DUSTBANE_LANGUAGE_FILES}
        COMMENT "Building Dustbane-Setup.exe"
        VERBATIM)
    add_custom_target(installer ALL DEPENDS ${DUSTBANE_SETUP})
else()
    add_custom_target(installer
        COMMAND ${CMAKE_COMMAND} -E echo "makensis not found: install Debian's nsis package"
        COMMAND ${CMAKE_COMMAND} -E false)
endif()
