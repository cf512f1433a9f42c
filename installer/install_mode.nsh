; Per-user or all-users installation, shared by the installer and its uninstaller.

!define SETTINGS_KEY "Software\Quillfen\Cleaner"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Dustbane"
!define ACTIVE_SETUP_KEY "Software\Microsoft\Active Setup\Installed Components\Dustbane"
!define VERB "Run Dustbane"
!define ERROR_ELEVATION_REQUIRED 740

Var AllUsers             ; 1 for all users, 0 for the current user
Var ModeFromCommandLine  ; 1 when /ALLUSERS or /CURRENTUSER chose the mode

!macro DUSTBANE_MODE_FUNCTIONS UN
Function ${UN}ReadModeSwitches
  StrCpy $AllUsers 0
  StrCpy $ModeFromCommandLine 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
    StrCpy $ModeFromCommandLine 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/CURRENTUSER" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 0
    StrCpy $ModeFromCommandLine 1
  ${EndIf}
FunctionEnd

; Chooses where shortcuts and the uninstall entry go (SHCTX).
Function ${UN}UseMode
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

; The program expects its folder with a trailing backslash; a drive root has one already.
Function ${UN}FolderWithBackslash
  StrCpy $0 $INSTDIR "" -1
  ${If} $0 == "\"
    Push $INSTDIR
  ${Else}
    Push "$INSTDIR\"
  ${EndIf}
FunctionEnd

Function ${UN}HasAdministratorRights
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    Push 1
  ${Else}
    Push 0
  ${EndIf}
FunctionEnd
!macroend

!insertmacro DUSTBANE_MODE_FUNCTIONS ""
!insertmacro DUSTBANE_MODE_FUNCTIONS "un."

Var DirFromCommandLine   ; 1 when /D= chose the folder

; The default folder of the mode, unless /D= chose one.
Function UseDefaultFolder
  ${If} $DirFromCommandLine == 1
    Return
  ${EndIf}
  ${If} $AllUsers == 1
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
  ${Else}
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
  ${EndIf}
FunctionEnd

; Without administrator rights, starts this installer again elevated for all users and
; ends this one; the error flag is set when the user refuses the elevation.
Function ElevateInstaller
  ClearErrors
  Call HasAdministratorRights
  Pop $0
  ${If} $0 == 1
    Return
  ${EndIf}
  StrCpy $1 "/ALLUSERS"
  ${If} ${Silent}
    StrCpy $1 "$1 /S"
  ${EndIf}
  ${If} $DirFromCommandLine == 1
    StrCpy $1 "$1 /D=$INSTDIR"
  ${EndIf}
  ExecShellWait "runas" "$EXEPATH" $1
  ${IfNot} ${Errors}
    Quit
  ${EndIf}
FunctionEnd

; As above for the uninstaller, which runs as a copy outside the folder it removes.
Function un.ElevateUninstaller
  ClearErrors
  Call un.HasAdministratorRights
  Pop $0
  ${If} $0 == 1
    Return
  ${EndIf}
  StrCpy $1 "/ALLUSERS"
  ${If} ${Silent}
    StrCpy $1 "$1 /S"
  ${EndIf}
  ExecShellWait "runas" "$EXEPATH" "$1 _?=$INSTDIR"
  ${IfNot} ${Errors}
    Quit
  ${EndIf}
FunctionEnd
