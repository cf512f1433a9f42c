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

; Active Setup runs an entry's StubPath for a user at logon when the entry's Version is
; higher than the one recorded for that user. The installation and the removal each write a
; version of their own, so that whichever came last is what every user gets, also when the
; same release is installed again after a removal. The version is the time of writing (UTC)
; as year,monthday,hourminute,millisecond of the minute, each part below 65536, raised past
; the entry's present version should the clock say otherwise. Pushes it.
Function ${UN}NextActiveSetupVersion
  Push $R0
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  Push $R5
  Push $R6
  Push $R7
  System::Alloc 16
  Pop $R0
  System::Call 'kernel32::GetSystemTime(p R0)'
  System::Call '*$R0(&i2 .R1, &i2 .R2, &i2, &i2 .R3, &i2 .R4, &i2 .R5, &i2 .R6, &i2 .R7)'
  System::Free $R0
  IntOp $R2 $R2 * 100
  IntOp $R2 $R2 + $R3
  IntOp $R4 $R4 * 100
  IntOp $R4 $R4 + $R5
  IntOp $R6 $R6 * 1000
  IntOp $R6 $R6 + $R7
  StrCpy $R0 "$R1,$R2,$R4,$R6"

  ReadRegStr $R1 HKLM "${ACTIVE_SETUP_KEY}" "Version"
  ${If} $R1 != ""
    ${WordReplace} $R0 "," "." "+" $R2
    ${WordReplace} $R1 "," "." "+" $R3
    ${VersionCompare} $R2 $R3 $R4
    ${If} $R4 != 1
      StrCpy $R0 ""
      ${For} $R5 1 4
        ClearErrors
        ${WordFind} $R1 "," "E+$R5" $R6
        ${If} ${Errors}
          StrCpy $R6 0
        ${EndIf}
        IntOp $R6 $R6 + 0
        ${If} $R5 = 4
          IntOp $R6 $R6 + 1
          StrCpy $R0 "$R0$R6"
        ${Else}
          StrCpy $R0 "$R0$R6,"
        ${EndIf}
      ${Next}
    ${EndIf}
  ${EndIf}
  Pop $R7
  Pop $R6
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Exch $R0
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

; Pushes 1 when the program's Explorer verbs of the current user are this installation's:
; the program writes them for the folder its Installdir names, so they are unless Installdir
; names another folder.
Function un.VerbsAreThisInstallations
  Push $R0
  Push $R1
  Call un.FolderWithBackslash
  Pop $R0
  ClearErrors
  ReadRegStr $R1 HKCU "${SETTINGS_KEY}" "Installdir"
  ${If} ${Errors}
  ${OrIf} $R1 == $R0
    StrCpy $R0 1
  ${Else}
    StrCpy $R0 0
  ${EndIf}
  Pop $R1
  Exch $R0
FunctionEnd

; Pushes the command Active Setup runs at each user's next logon once the all-users
; installation in $INSTDIR is gone. It removes the user's Installdir and AllUsers when
; Installdir names this folder, then the Explorer verbs when no Installdir is left (the rule
; of un.VerbsAreThisInstallations). Only cmd and reg.exe, which every Windows has, and only
; what Wine's cmd also runs as Windows does: Wine's ignores exit codes in && and ||, misreads
; a chain after "do if" without parentheses, and takes no redirection after a parenthesised
; block. reg.exe goes unquoted because a command of "for /f" that starts with a quote loses
; it; the system folder has no blanks. The whole stays within NSIS's 1024 characters for any
; folder of up to 260.
Function un.CleanupStubPath
  Push $R0
  Push $R1
  Push $R2
  Call un.FolderWithBackslash
  Pop $R0
  StrCpy $R1 "$SYSDIR\reg.exe"
  StrCpy $R2 ">nul 2>&1"
  StrCpy $R0 `"$SYSDIR\cmd.exe" /d /q /c \
    (for /f "tokens=2,*" %a in ('$R1 query "HKCU\${SETTINGS_KEY}" /v Installdir 2^>nul') do \
      (if /i "%b"=="$R0" ($R1 delete "HKCU\${SETTINGS_KEY}" /v Installdir /f $R2 & \
        $R1 delete "HKCU\${SETTINGS_KEY}" /v AllUsers /f $R2))) & \
    ($R1 query "HKCU\${SETTINGS_KEY}" /v Installdir $R2) & \
    (if errorlevel 1 ($R1 delete "HKCU\Software\Classes\Drive\shell\${VERB}" /f $R2 & \
      $R1 delete "HKCU\Software\Classes\Folder\shell\${VERB}" /f $R2))`
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd
