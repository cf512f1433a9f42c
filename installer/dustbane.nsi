; Dustbane's installer. Installs for the current user without administrator rights by
; default; /ALLUSERS or the first page installs for all users into Program Files and
; restarts the installer elevated when needed.
;
; makensis -DVERSION=1.2.3 -DPROGRAM=<Dustbane.exe> -DRESOURCES=<resources folder>
;          -DOUTFILE=<Dustbane-Setup.exe> dustbane.nsi

!ifndef VERSION | PROGRAM | RESOURCES | OUTFILE
  !error "Define VERSION, PROGRAM, RESOURCES and OUTFILE"
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

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include install_mode.nsh

!define MUI_ABORTWARNING

Page custom ModePage ModePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
; Active Setup compares versions written with commas.
!searchreplace ACTIVE_SETUP_VERSION "${VERSION}.0" "." ","
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
  ${If} $INSTDIR != ""
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

Section "-Program"
  SetOutPath "$INSTDIR"
  File "${PROGRAM}"
  File "${RESOURCES}/help.htm"
  File "${RESOURCES}/end.wav"
  SetOutPath "$INSTDIR\lang"
  File "${RESOURCES}/lang/*.ini"
  ; The shortcut starts the program in its own folder.
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  Call FolderWithBackslash
  Pop $0
  WriteRegStr HKCU "${SETTINGS_KEY}" "Installdir" $0
  WriteRegDWORD HKCU "${SETTINGS_KEY}" "AllUsers" $AllUsers
  ${If} $AllUsers == 1
    ; The program reads its folder from the user's own key only. Active Setup writes it
    ; there for every other user at their next logon; "$0\" ends in two backslashes so
    ; that reg.exe does not read the closing quote as part of the text.
    WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "" "${PRODUCT}"
    WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "Version" "${ACTIVE_SETUP_VERSION}"
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
  ; Named one by one: the folder may have been chosen with other files in it.
  Delete "$INSTDIR\Dustbane.exe"
  Delete "$INSTDIR\help.htm"
  Delete "$INSTDIR\end.wav"
  Delete "$INSTDIR\logs.log"
  Delete "$INSTDIR\lang\*.ini"
  RMDir "$INSTDIR\lang"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${If} $AllUsers == 1
    DeleteRegKey HKLM "${ACTIVE_SETUP_KEY}"
    ; So that a later installation for all users sets this user's folder again.
    DeleteRegKey HKCU "${ACTIVE_SETUP_KEY}"
  ${EndIf}

  ; The program writes its Explorer verbs through HKEY_CLASSES_ROOT, which keeps them
  ; in the user's own classes unless the program ran with administrator rights.
  DeleteRegKey HKCU "Software\Classes\Drive\shell\${VERB}"
  DeleteRegKey HKCU "Software\Classes\Folder\shell\${VERB}"
  DeleteRegKey HKCR "Drive\shell\${VERB}"
  DeleteRegKey HKCR "Folder\shell\${VERB}"

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
