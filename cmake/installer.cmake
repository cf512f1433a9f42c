# The files that sit beside Dustbane.exe (besides help.htm), and the installers that ship
# them, each built with ALL when its tool is found: build/windows/Dustbane-Setup.exe (NSIS)
# and build/windows/Dustbane.msi (wixl).

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

# The one list of what an installation puts in its folder, each file by the name it gets
# there and the file it comes from. Both installers are made from it.
set(DUSTBANE_PAYLOAD_NAMES Dustbane.exe help.htm end.wav)
set(DUSTBANE_PAYLOAD_SOURCES
    $<TARGET_FILE:Dustbane> ${DUSTBANE_RESOURCES}/help.htm ${DUSTBANE_RESOURCES}/end.wav)
foreach(language_file IN LISTS DUSTBANE_LANGUAGE_FILES)
    get_filename_component(language_name ${language_file} NAME)
    list(APPEND DUSTBANE_PAYLOAD_NAMES "lang\\${language_name}")
    list(APPEND DUSTBANE_PAYLOAD_SOURCES ${language_file})
endforeach()
set(DUSTBANE_PAYLOAD_DEPENDS Dustbane ${DUSTBANE_RESOURCES}/help.htm ${DUSTBANE_RESOURCES}/end.wav
    ${DUSTBANE_LANGUAGE_FILES})

find_program(DUSTBANE_MAKENSIS makensis)
set(DUSTBANE_SETUP ${CMAKE_BINARY_DIR}/Dustbane-Setup.exe)
if(DUSTBANE_MAKENSIS)
    file(GLOB DUSTBANE_INSTALLER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/installer/*.ns?)

    # The installer checks these names before it writes anything, and records each file it
    # writes for its uninstaller.
    set(DUSTBANE_PAYLOAD_LINES)
    foreach(name source IN ZIP_LISTS DUSTBANE_PAYLOAD_NAMES DUSTBANE_PAYLOAD_SOURCES)
        list(APPEND DUSTBANE_PAYLOAD_LINES "  !insertmacro \${DO} \"${name}\" \"${source}\"")
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
        DEPENDS ${DUSTBANE_PAYLOAD_DEPENDS} ${DUSTBANE_INSTALLER_SOURCES} ${DUSTBANE_PAYLOAD}
        COMMENT "Building Dustbane-Setup.exe"
        VERBATIM)
    add_custom_target(installer ALL DEPENDS ${DUSTBANE_SETUP})
else()
    add_custom_target(installer
        COMMAND ${CMAKE_COMMAND} -E echo "makensis not found: install Debian's nsis package"
        COMMAND ${CMAKE_COMMAND} -E false)
endif()

find_program(DUSTBANE_WIXL wixl)
# Never to change: Windows Installer knows every version of Dustbane by it, so that a newer
# one replaces the installed one.
set(DUSTBANE_UPGRADE_CODE 5E0B7C0A-3F1D-4B8E-9C2A-6D4F1E8B3A17)
set(DUSTBANE_MSI ${CMAKE_BINARY_DIR}/Dustbane.msi)
# The same files as a higher version, for the upgrade scenario of the end-to-end tests.
math(EXPR next_patch "${PROJECT_VERSION_PATCH} + 1")
set(DUSTBANE_NEXT_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${next_patch})
set(DUSTBANE_NEXT_MSI ${CMAKE_BINARY_DIR}/Dustbane-next.msi)
target_compile_definitions(e2e_tests PRIVATE DUSTBANE_UPGRADE_CODE="{${DUSTBANE_UPGRADE_CODE}}"
    DUSTBANE_VERSION="${PROJECT_VERSION}" DUSTBANE_NEXT_VERSION="${DUSTBANE_NEXT_VERSION}")
if(DUSTBANE_WIXL)
    # wixl takes a file's Source relative to the .wxs that names it, never absolute. The
    # folder below INSTALLDIR of each file is one Directory, so names go one folder deep.
    set(DUSTBANE_WIX_DIR ${CMAKE_BINARY_DIR}/installer)
    set(wix_top)
    set(wix_folders)
    set(wix_refs)
    foreach(name source IN ZIP_LISTS DUSTBANE_PAYLOAD_NAMES DUSTBANE_PAYLOAD_SOURCES)
        string(MAKE_C_IDENTIFIER ${name} id)
        string(FIND ${name} "\\" slash REVERSE)
        if(slash EQUAL -1)
            set(folder "")
            set(file_name ${name})
        else()
            string(SUBSTRING ${name} 0 ${slash} folder)
            math(EXPR after_slash "${slash} + 1")
            string(SUBSTRING ${name} ${after_slash} -1 file_name)
            if(folder MATCHES "\\\\")
                message(FATAL_ERROR "${name}: the MSI's payload goes one folder deep")
            endif()
        endif()
        set(component "<Component Id=\"${id}\" Guid=\"*\" Win64=\"yes\"><File Id=\"${id}\" Name=\"${file_name}\" Source=\"$<PATH:RELATIVE_PATH,${source},${DUSTBANE_WIX_DIR}>\" KeyPath=\"yes\" /></Component>")
        if(folder STREQUAL "")
            string(APPEND wix_top "      ${component}\n")
        else()
            string(MAKE_C_IDENTIFIER "folder_${folder}" folder_id)
            if(NOT folder_id IN_LIST wix_folders)
                list(APPEND wix_folders ${folder_id})
                set(wix_folder_name_${folder_id} ${folder})
            endif()
            string(APPEND wix_files_${folder_id} "        ${component}\n")
        endif()
        string(APPEND wix_refs "      <ComponentRef Id=\"${id}\" />\n")
    endforeach()
    foreach(folder_id IN LISTS wix_folders)
        string(APPEND wix_top "      <Directory Id=\"${folder_id}\" Name=\"${wix_folder_name_${folder_id}}\">\n"
                              "${wix_files_${folder_id}}      </Directory>\n")
    endforeach()
    set(DUSTBANE_WIX_PAYLOAD ${DUSTBANE_WIX_DIR}/payload.wxs)
    file(GENERATE OUTPUT ${DUSTBANE_WIX_PAYLOAD} CONTENT
"<?xml version=\"1.0\" encoding=\"utf-8\"?>
<!-- Written by cmake/installer.cmake: the files of the installation folder. -->
<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">
  <Fragment>
    <DirectoryRef Id=\"INSTALLDIR\">
${wix_top}    </DirectoryRef>
    <ComponentGroup Id=\"Payload\">
${wix_refs}    </ComponentGroup>
  </Fragment>
</Wix>
")

    function(dustbane_msi output version)
        string(UUID product_code NAMESPACE ${DUSTBANE_UPGRADE_CODE} NAME ${version} TYPE SHA1 UPPER)
        get_filename_component(output_name ${output} NAME)
        add_custom_command(OUTPUT ${output}
            COMMAND ${DUSTBANE_WIXL} -a x64
                    -D Version=${version}
                    -D ProductCode=${product_code}
                    -D UpgradeCode=${DUSTBANE_UPGRADE_CODE}
                    -o ${output}
                    ${CMAKE_SOURCE_DIR}/installer/dustbane.wxs ${DUSTBANE_WIX_PAYLOAD}
            DEPENDS ${DUSTBANE_PAYLOAD_DEPENDS} ${CMAKE_SOURCE_DIR}/installer/dustbane.wxs
                    ${DUSTBANE_WIX_PAYLOAD}
            COMMENT "Building ${output_name} ${version}"
            VERBATIM)
    endfunction()
    dustbane_msi(${DUSTBANE_MSI} ${PROJECT_VERSION})
    dustbane_msi(${DUSTBANE_NEXT_MSI} ${DUSTBANE_NEXT_VERSION})
    add_custom_target(msi ALL DEPENDS ${DUSTBANE_MSI} ${DUSTBANE_NEXT_MSI})
else()
    add_custom_target(msi
        COMMAND ${CMAKE_COMMAND} -E echo "wixl not found: install Debian's wixl package"
        COMMAND ${CMAKE_COMMAND} -E false)
endif()
