; Dustbane's installer. Installs for the current user without administrator rights by
; default; /ALLUSERS or the first page installs for all users into Program Files and
; restarts the installer elevated when needed.
;
; makensis -DVERSION=1.2.3 -DPAYLOAD=<payload.nsh> -DOUTFILE=<Dustbane-Setup.exe> dustbane.nsi
;
; payload.nsh, written by cmake/installer.cmake, names the files of the installation folder.

!ifndef VERSION | PAYLOAD | OUTFILE
  !error "Define VERSION, PAYLOAD and OUTFILE"
!endif

Unicode true
; Dustbane.exe is 64-bit only, and so is the installer: Program Files and the registry
; are then the native ones.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!define PRODUCT "Dustbane"
!define PUBLISHER "Quillfen"

Name "${PRODUCT}"
Caption "${PRODUCT} Setup"
UninstallCaption "${PRODUCT} Uninstall"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
; Only the last part of this counts: the directory page appends it to a folder picked with
; Browse unless that folder already has the name, as Windows installers do. The default
; folder depends on the mode and is set in .onInit; /D= replaces this text, which is how
; .onInit tells that the command line chose the folder.
InstallDir "\${PRODUCT}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include nsDialogs.nsh
!include "${PAYLOAD}"
!include install_mode.nsh
!include installed_files.nsh

!define MUI_ABORTWARNING

Page custom ModePage ModePageLeave
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryPageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"

Var RadioCurrentUser
Var RadioAllUsers

Function .onInit
  StrCpy $DirFromCommandLine 0
  ${If} $INSTDIR != "\${PRODUCT}"
    StrCpy $DirFromCommandLine 1
  ${EndIf}
  Call ReadModeSwitches
  Call UseMode
  Call UseDefaultFolder
  ${If} $AllUsers == 1
    Call ElevateInstaller
    ${If} ${Errors}
      SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
      ${IfNot} ${Silent}
        MessageBox MB_ICONSTOP "Installing ${PRODUCT} for all users needs administrator rights."
      ${EndIf}
      Quit
    ${EndIf}
  ${EndIf}
  ; Nobody is there to answer the directory page's questions.
  ${If} ${Silent}
    Call FolderState
    Pop $0
    ${If} $0 == "conflict"
    ${OrIf} $0 == "others"
      SetErrorLevel ${ERROR_DIR_NOT_EMPTY}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Function ModePage
  ${If} $ModeFromCommandLine == 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Choose Users" "Choose for whom ${PRODUCT} is installed."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 12u "Install ${PRODUCT} for:"
  Pop $0
  ${NSD_CreateRadioButton} 10u 20u 100% 12u "Only &me (no administrator rights needed)"
  Pop $RadioCurrentUser
  ${NSD_CreateRadioButton} 10u 36u 100% 12u "&All users of this computer (needs administrator rights)"
  Pop $RadioAllUsers
  ${If} $AllUsers == 1
    ${NSD_Check} $RadioAllUsers
  ${Else}
    ${NSD_Check} $RadioCurrentUser
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $RadioAllUsers $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call UseMode
  Call UseDefaultFolder
  ${If} $AllUsers == 1
    Call ElevateInstaller
    ${If} ${Errors}
      MessageBox MB_ICONEXCLAMATION "Without administrator rights ${PRODUCT} can only be installed for you."
      Abort
    ${EndIf}
  ${EndIf}
FunctionEnd

; A folder holding files of other programs is shared only when the user says so, and never
; when installing would overwrite one of them.
Function DirectoryPageLeave
  Call FolderState
  Pop $0
  ${If} $0 == "conflict"
    MessageBox MB_ICONSTOP "$INSTDIR already holds $FolderConflict, which belongs to another \
      program. Installing ${PRODUCT} there would replace it.$\n$\nPlease choose another folder."
    Abort
  ${ElseIf} $0 == "others"
  ${AndIf} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$INSTDIR already holds \
      files of another program.$\n$\nInstall ${PRODUCT} into this folder anyway? The other \
      files stay as they are, also when ${PRODUCT} is removed." IDNO`
    Abort
  ${EndIf}
FunctionEnd

Section "-Program"
  ; The shortcut starts the program in its own folder.
  SetOutPath "$INSTDIR"
  CreateDirectory "$INSTDIR\lang"
  !insertmacro DUSTBANE_PAYLOAD DUSTBANE_INSTALL_FILE
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  Push "Uninstall.exe"
  Call RecordInstalledFile

  Call FolderWithBackslash
  Pop $0
  WriteRegStr HKCU "${SETTINGS_KEY}" "Installdir" $0
  WriteRegDWORD HKCU "${SETTINGS_KEY}" "AllUsers" $AllUsers
  ${If} $AllUsers == 1
    ; The program reads its folder from the user's own key only. Active Setup writes it
    ; there for every other user at their next logon; "$0\" ends in two backslashes so
    ; that reg.exe does not read the closing quote as part of the text.
    Call NextActiveSetupVersion
    Pop $1
    WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "" "${PRODUCT}"
    WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "Version" $1
    WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "StubPath" \
      '"$SYSDIR\reg.exe" add "HKCU\${SETTINGS_KEY}" /v Installdir /t REG_SZ /d "$0\" /f'
  ${EndIf}

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Dustbane.exe"

  ${If} $AllUsers == 1
    StrCpy $1 "/ALLUSERS"
  ${Else}
    StrCpy $1 "/CURRENTUSER"
  ${EndIf}
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Dustbane.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" $1'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" $1 /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $2 $3
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  Call un.ReadModeSwitches
  ${If} $ModeFromCommandLine == 0
    ; Started without a switch: the uninstall entry tells which installation this is.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
      StrCpy $AllUsers 1
    ${EndIf}
  ${EndIf}
  Call un.UseMode
  ${If} $AllUsers == 1
    Call un.ElevateUninstaller
    ${If} ${Errors}
      SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
      ${IfNot} ${Silent}
        MessageBox MB_ICONSTOP "Removing ${PRODUCT} for all users needs administrator rights."
      ${EndIf}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; Nothing is left to read once the settings question is answered.
  SetAutoClose true
  ; The scheduled clean of the user who uninstalls goes while the program is still there. An
  ; older Dustbane.exe without the switch ends with a usage error, which changes nothing.
  ExecWait '"$INSTDIR\Dustbane.exe" /unschedule'
  ; The folder may be shared with other programs: only what the installer wrote goes, and
  ; the log the program keeps there.
  Call un.RemoveInstalledFiles
  Delete "$INSTDIR\logs.log"
  RMDir "$INSTDIR\lang"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${If} $AllUsers == 1
    ; Every other user keeps this folder in Installdir, and maybe the Explorer verbs, until
    ; the entry, now of a higher version, cleans them up at their next logon. This user is
    ; cleaned up below, and counts as done.
    Call un.NextActiveSetupVersion
    Pop $1
    Call un.CleanupStubPath
    Pop $2
    WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "" "${PRODUCT}"
    WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "Version" $1
    WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "StubPath" $2
    WriteRegStr HKCU "${ACTIVE_SETUP_KEY}" "Version" $1
  ${EndIf}

  ; The program writes its Explorer verbs through HKEY_CLASSES_ROOT, which keeps them
  ; in the user's own classes unless the program ran with administrator rights.
  Call un.VerbsAreThisInstallations
  Pop $0
  ${If} $0 == 1
    DeleteRegKey HKCU "Software\Classes\Drive\shell\${VERB}"
    DeleteRegKey HKCU "Software\Classes\Folder\shell\${VERB}"
    DeleteRegKey HKCR "Drive\shell\${VERB}"
    DeleteRegKey HKCR "Folder\shell\${VERB}"
  ${EndIf}

  ; Where the installation folder is not writable the program keeps its log with the user.
  SetShellVarContext current
  Delete "$LOCALAPPDATA\${PRODUCT}\logs.log"
  RMDir "$LOCALAPPDATA\${PRODUCT}"

  ; The installer's own values go with this installation, unless they belong to another.
  Call un.FolderWithBackslash
  Pop $0
  ReadRegStr $1 HKCU "${SETTINGS_KEY}" "Installdir"
  ${If} $1 == $0
    DeleteRegValue HKCU "${SETTINGS_KEY}" "Installdir"
    DeleteRegValue HKCU "${SETTINGS_KEY}" "AllUsers"
  ${EndIf}

  ; Silent removal keeps the settings, ready for a later installation.
  ${IfNot} ${Silent}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Also remove your ${PRODUCT} settings (search paths, file types and options)?" \
      IDNO keep_settings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Quillfen"
  keep_settings:
  ${EndIf}
SectionEnd
