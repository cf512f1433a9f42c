; The files an installation put in its folder, listed beside them in Uninstall.ini:
;
;   [Dustbane]
;   Files=<n>
;   File<i>=<path below the installation folder>
;   Hash<i>=<SHA-256 of the bytes written, 64 hex digits>
;
; A folder may be shared with other programs, so a name alone does not make a file ours:
; the uninstaller removes a listed file only while its bytes still hash as listed, and the
; installer overwrites an existing file only when an earlier Dustbane's list says so in the
; same way. The list is also what tells a later installer that the folder is Dustbane's.

!define INSTALLED_LIST "Uninstall.ini"
!define LIST_SECTION "Dustbane"
; The exit code of a silent installation refused because the folder holds other files.
!define ERROR_DIR_NOT_EMPTY 145

!macro DUSTBANE_HASH_FUNCTION UN
; Takes a path from the stack and pushes the SHA-256 of the file's bytes as 64 hex digits, or
; "" when the file cannot be read. Through CryptoAPI, which every supported Windows has.
Function ${UN}FileHash
  Exch $R0
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  Push $R5
  Push $R6
  Push $R7
  Push $R8
  StrCpy $R8 ""
  ; GENERIC_READ, shared for reading, writing and deleting, OPEN_EXISTING.
  System::Call 'kernel32::CreateFileW(w R0, i 0x80000000, i 7, p 0, i 3, i 0, p 0) p .R1'
  ${If} $R1 P<> -1
    ; PROV_RSA_AES (24) knows SHA-256 (0x800C); CRYPT_VERIFYCONTEXT needs no key store.
    System::Call 'advapi32::CryptAcquireContextW(*p .R2, p 0, p 0, i 24, i 0xF0000000) i .R3'
    ${If} $R3 <> 0
      System::Call 'advapi32::CryptCreateHash(p R2, i 0x800C, p 0, i 0, *p .R4) i .R3'
      ${If} $R3 <> 0
        System::Alloc 65536
        Pop $R5
        ${Do}
          System::Call 'kernel32::ReadFile(p R1, p R5, i 65536, *i .R6, p 0) i .R3'
          ${If} $R3 = 0
          ${OrIf} $R6 = 0
            ${ExitDo}
          ${EndIf}
          System::Call 'advapi32::CryptHashData(p R4, p R5, i R6, i 0) i .R3'
        ${LoopUntil} $R3 = 0
        ; A failed read or hash leaves $R3 at 0; the end of the file leaves it at 1.
        ${If} $R3 <> 0
          System::Call 'advapi32::CryptGetHashParam(p R4, i 2, p R5, *i 32, i 0) i .R3'
        ${EndIf}
        ${If} $R3 <> 0
          ${For} $R6 0 31
            IntPtrOp $R7 $R5 + $R6
            System::Call '*$R7(&i1 .R7)'
            IntOp $R7 $R7 & 0xFF
            IntFmt $R7 "%02x" $R7
            StrCpy $R8 "$R8$R7"
          ${Next}
        ${EndIf}
        System::Free $R5
        System::Call 'advapi32::CryptDestroyHash(p R4)'
      ${EndIf}
      System::Call 'advapi32::CryptReleaseContext(p R2, i 0)'
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p R1)'
  ${EndIf}
  StrCpy $R0 $R8
  Pop $R8
  Pop $R7
  Pop $R6
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd
!macroend

!insertmacro DUSTBANE_HASH_FUNCTION ""
!insertmacro DUSTBANE_HASH_FUNCTION "un."

; Takes a path below $INSTDIR from the stack and pushes the number of its entry in the list,
; or 0 when the list does not name it.
Function ListedIndex
  Exch $R0
  Push $R1
  Push $R2
  Push $R3
  ReadINIStr $R1 "$INSTDIR\${INSTALLED_LIST}" "${LIST_SECTION}" "Files"
  IntOp $R1 $R1 + 0
  StrCpy $R3 0
  ${For} $R2 1 $R1
    ReadINIStr $R3 "$INSTDIR\${INSTALLED_LIST}" "${LIST_SECTION}" "File$R2"
    ${If} $R3 == $R0
      StrCpy $R3 $R2
      ${ExitFor}
    ${EndIf}
    StrCpy $R3 0
  ${Next}
  StrCpy $R0 $R3
  Pop $R3
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd

; Takes a path below $INSTDIR from the stack and pushes 1 when the list names it with the
; hash the file still has, else 0.
Function IsListedUnchanged
  Exch $R0
  Push $R1
  Push $R2
  Push $R0
  Call ListedIndex
  Pop $R1
  ${If} $R1 <> 0
    ReadINIStr $R2 "$INSTDIR\${INSTALLED_LIST}" "${LIST_SECTION}" "Hash$R1"
    Push "$INSTDIR\$R0"
    Call FileHash
    Pop $R1
    ${If} $R1 != ""
    ${AndIf} $R1 == $R2
      StrCpy $R1 1
    ${Else}
      StrCpy $R1 0
    ${EndIf}
  ${EndIf}
  StrCpy $R0 $R1
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd

; Takes a path below $INSTDIR from the stack, just written, and lists it with its hash. The
; entry of an earlier installation is updated; one of a file this version no longer ships
; stays, so that the uninstaller still removes that file.
Function RecordInstalledFile
  Exch $R0
  Push $R1
  Push $R2
  Push $R0
  Call ListedIndex
  Pop $R1
  ${If} $R1 = 0
    ReadINIStr $R1 "$INSTDIR\${INSTALLED_LIST}" "${LIST_SECTION}" "Files"
    IntOp $R1 $R1 + 1
    WriteINIStr "$INSTDIR\${INSTALLED_LIST}" "${LIST_SECTION}" "Files" $R1
    WriteINIStr "$INSTDIR\${INSTALLED_LIST}" "${LIST_SECTION}" "File$R1" $R0
  ${EndIf}
  Push "$INSTDIR\$R0"
  Call FileHash
  Pop $R2
  WriteINIStr "$INSTDIR\${INSTALLED_LIST}" "${LIST_SECTION}" "Hash$R1" $R2
  FlushINI "$INSTDIR\${INSTALLED_LIST}"
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd

!macro DUSTBANE_INSTALL_FILE NAME SOURCE
  File "/oname=$INSTDIR\${NAME}" "${SOURCE}"
  Push "${NAME}"
  Call RecordInstalledFile
!macroend

Var FolderConflict  ; the first file of another program that installing would overwrite
Var EarlierDustbane ; 1 when $INSTDIR holds an earlier Dustbane's list

; Takes a path below $INSTDIR from the stack and sets $FolderConflict to it when a file of
; that name is there that is not an earlier Dustbane's.
Function NoteConflict
  Exch $R0
  Push $R1
  ${If} $FolderConflict == ""
  ${AndIf} ${FileExists} "$INSTDIR\$R0"
    StrCpy $R1 0
    ${If} $EarlierDustbane == 1
      Push $R0
      Call IsListedUnchanged
      Pop $R1
    ${EndIf}
    ${If} $R1 <> 1
      StrCpy $FolderConflict $R0
    ${EndIf}
  ${EndIf}
  Pop $R1
  Pop $R0
FunctionEnd

!macro DUSTBANE_NOTE_CONFLICT NAME SOURCE
  Push "${NAME}"
  Call NoteConflict
!macroend

; Pushes what $INSTDIR holds: "free" (nothing, or it does not exist), "earlier" (an earlier
; Dustbane, none of whose files another program has replaced), "others" (files of other
; programs, none of which installing would overwrite) or "conflict" (a file installing would
; overwrite that is not Dustbane's; $FolderConflict names it).
Function FolderState
  Push $R0
  Push $R1
  StrCpy $FolderConflict ""
  StrCpy $EarlierDustbane 0
  ReadINIStr $R0 "$INSTDIR\${INSTALLED_LIST}" "${LIST_SECTION}" "Files"
  ${If} $R0 != ""
    StrCpy $EarlierDustbane 1
  ${EndIf}
  !insertmacro DUSTBANE_PAYLOAD DUSTBANE_NOTE_CONFLICT
  !insertmacro DUSTBANE_NOTE_CONFLICT "Uninstall.exe" ""
  ${If} $EarlierDustbane == 0
    !insertmacro DUSTBANE_NOTE_CONFLICT "${INSTALLED_LIST}" ""
    ; The program writes its log there; it would append to another program's.
    !insertmacro DUSTBANE_NOTE_CONFLICT "logs.log" ""
  ${EndIf}

  ${If} $FolderConflict != ""
    StrCpy $R0 "conflict"
  ${ElseIf} $EarlierDustbane == 1
    StrCpy $R0 "earlier"
  ${Else}
    StrCpy $R0 "free"
    ClearErrors
    FindFirst $R1 $R0 "$INSTDIR\*"
    ${DoUntil} ${Errors}
      ${If} $R0 != "."
      ${AndIf} $R0 != ".."
        StrCpy $R0 "others"
        ${ExitDo}
      ${EndIf}
      FindNext $R1 $R0
    ${Loop}
    FindClose $R1
    ${If} $R0 != "others"
      StrCpy $R0 "free"
    ${EndIf}
  ${EndIf}
  Pop $R1
  Exch $R0
FunctionEnd

; Removes each listed file whose bytes still hash as listed, then the list.
Function un.RemoveInstalledFiles
  Push $R0
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  ReadINIStr $R0 "$INSTDIR\${INSTALLED_LIST}" "${LIST_SECTION}" "Files"
  IntOp $R0 $R0 + 0
  ${For} $R1 1 $R0
    ReadINIStr $R2 "$INSTDIR\${INSTALLED_LIST}" "${LIST_SECTION}" "File$R1"
    ReadINIStr $R3 "$INSTDIR\${INSTALLED_LIST}" "${LIST_SECTION}" "Hash$R1"
    ; A list that climbs out of the folder was not written by the installer.
    ClearErrors
    ${WordFind} $R2 ".." "E+1" $R4
    ${If} ${Errors}
    ${AndIf} $R2 != ""
    ${AndIf} $R3 != ""
      Push "$INSTDIR\$R2"
      Call un.FileHash
      Pop $R4
      ${If} $R4 == $R3
        Delete "$INSTDIR\$R2"
      ${EndIf}
    ${EndIf}
  ${Next}
  Delete "$INSTDIR\${INSTALLED_LIST}"
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd
