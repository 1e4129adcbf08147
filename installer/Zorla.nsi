; Zorla's setup: a per-user installation that needs no administrator rights.
;
; Built by CMake (the "installer" target) with Debian's makensis:
;   makensis -DVERSION=1.0 -DEXE=<Zorla.exe> -DICON=<zorla.ico> -DOUTFILE=<setup.exe> Zorla.nsi
;
; Besides the program, its Start menu shortcut and its entry in the user's list of
; installed programs, the folder gets the uninstall list "!sfxunst.ini". The program
; enters the autostart shortcut it makes into that list (looked up in its working
; directory, which is why the Start menu shortcut starts it in its own folder), and
; the uninstaller deletes every file the list names. The list is UTF-16LE with a
; byte order mark, so that paths in any script survive; a list without the mark
; comes from an older setup and is in the ANSI code page.

Unicode true
; The program is 64-bit; a 32-bit setup would need Wine's 32-bit half on Linux.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user
; A file that cannot be written fails the setup (Retry or Cancel; a silent run
; cancels) instead of being skipped into a broken installation.
AllowSkipFiles off

!ifndef VERSION | EXE | ICON | OUTFILE
  !error "define VERSION, EXE, ICON and OUTFILE on the command line"
!endif

!define PRODUCT "Zorla"
!define COMPANY "Velloran Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SETTINGS_KEY "Software\${COMPANY}\${PRODUCT}"
!define LIST "!sfxunst.ini"
!define UNINSTALLER "Uninstall.exe"
; The program's own names: its main window's title, its single-instance mutex
; (executable name + "Prevent") and the framework's exit command.
!define MAIN_TITLE "${PRODUCT} ${VERSION}"
!define INSTANCE_MUTEX "${PRODUCT}Prevent"
!define APP_EXIT_COMMAND 57665
; FileRead stops one character short of a full string.
!define /math LONGEST_PIECE ${NSIS_MAX_STRLEN} - 1

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An installation made earlier is updated in place, where its notes are.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${COMPANY}"

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) 2026 ${COMPANY}"
VIAddVersionKey /LANG=0 "OriginalFilename" "${PRODUCT}-${VERSION}-setup.exe"

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartInstalledProgram
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The program speaks German on German systems and English elsewhere; so does its setup.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

LangString StillRunning ${LANG_ENGLISH} "${PRODUCT} is still running and could not be ended.$\r$\n$\r$\nPlease end it (right-click its window, then Exit) and click Retry."
LangString StillRunning ${LANG_GERMAN} "${PRODUCT} läuft noch und konnte nicht beendet werden.$\r$\n$\r$\nBitte beenden Sie es (Rechtsklick auf sein Fenster, dann Beenden) und klicken Sie auf Wiederholen."
LangString AskDeleteData ${LANG_ENGLISH} "Do you also want to delete your notes and reminders and ${PRODUCT}'s settings?$\r$\n$\r$\nIf you keep them, a later installation of ${PRODUCT} in the same folder shows them again."
LangString AskDeleteData ${LANG_GERMAN} "Möchten Sie auch Ihre Notizen und Erinnerungen und die Einstellungen von ${PRODUCT} löschen?$\r$\n$\r$\nWenn Sie sie behalten, zeigt eine spätere Installation von ${PRODUCT} im selben Ordner sie wieder an."
LangString ListNotWritten ${LANG_ENGLISH} "The uninstall list could not be written:"
LangString ListNotWritten ${LANG_GERMAN} "Die Deinstallationsliste konnte nicht geschrieben werden:"

; ---- A running Zorla -------------------------------------------------------------
; Its files cannot be replaced or deleted while it runs, and it saves its notes
; when it ends. So it is ended the way the user would end it, through its Exit
; command, which saves everything; asking first would only add a click, since
; setup cannot go on without it. When it does not end (a dialog of its own may
; hold it), the user is told, and a silent run fails rather than half-installs.
!macro DefineEndRunningProgram un
  ; $R0: 1 when a Zorla runs (its single-instance mutex exists).
  Function ${un}IsProgramRunning
    Push $0
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .r0'
    ${If} $0 P<> 0
      System::Call 'kernel32::CloseHandle(p r0)'
      StrCpy $R0 1
    ${Else}
      StrCpy $R0 0
    ${EndIf}
    Pop $0
  FunctionEnd

  Function ${un}EndRunningProgram
    Push $0
    Push $1
    Push $R0
    retry:
      Call ${un}IsProgramRunning
      ${If} $R0 = 0
        Goto done
      ${EndIf}
      FindWindow $0 "#32770" "${MAIN_TITLE}"
      ${If} $0 P<> 0
        System::Call 'user32::PostMessageW(p r0, i 0x0111, p ${APP_EXIT_COMMAND}, p 0)'
      ${EndIf}
      ; Ending takes a moment: the notes, reminders and settings are saved on the way out.
      StrCpy $1 0
      ${DoWhile} $1 < 100
        Call ${un}IsProgramRunning
        ${If} $R0 = 0
          Goto done
        ${EndIf}
        Sleep 200
        IntOp $1 $1 + 1
      ${Loop}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry
      SetErrorLevel 2
      Quit
    done:
    Pop $R0
    Pop $1
    Pop $0
  FunctionEnd
!macroend
!insertmacro DefineEndRunningProgram ""
!insertmacro DefineEndRunningProgram "un."

; ---- The uninstall list on both sides ---------------------------------------------
; Opens the list for reading; the error flag tells a missing one. utf16 becomes 1
; when the list starts with the mark of UTF-16LE (then passed), else 0.
!macro OpenList handle utf16
  StrCpy ${utf16} 0
  ClearErrors
  FileOpen ${handle} "$INSTDIR\${LIST}" r
  ${IfNot} ${Errors}
    FileReadWord ${handle} ${utf16}
    ${If} ${utf16} = 0xFEFF
      StrCpy ${utf16} 1
    ${Else}
      StrCpy ${utf16} 0
      FileSeek ${handle} 0 SET
    ${EndIf}
    ClearErrors
  ${EndIf}
!macroend

; One line, or a piece of a long one; the error flag is set at the end of the list.
!macro ReadListLine handle utf16 out
  ${If} ${utf16} = 1
    FileReadUTF16LE ${handle} ${out}
  ${Else}
    FileRead ${handle} ${out}
  ${EndIf}
!macroend

!macro WriteListText handle utf16 text
  ${If} ${utf16} = 1
    FileWriteUTF16LE ${handle} "${text}"
  ${Else}
    FileWrite ${handle} "${text}"
  ${EndIf}
!macroend

; ---- Installation ----------------------------------------------------------------
; $R1: 1 when "!sfxunst.ini" has a "[Files]" line; $R4: 1 when it is UTF-16LE.
Function ListHasFilesSection
  Push $0
  Push $1
  StrCpy $R1 0
  !insertmacro OpenList $0 $R4
  ${IfNot} ${Errors}
    ${Do}
      ClearErrors
      !insertmacro ReadListLine $0 $R4 $1
      ${If} ${Errors}
        ${Break}
      ${EndIf}
      Push $1
      Call TrimLine
      Pop $1
      ${If} $1 == "[Files]"
        StrCpy $R1 1
        ${Break}
      ${EndIf}
    ${Loop}
    FileClose $0
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

; The list of an earlier installation already holds the program's autostart line:
; it is kept, in its own encoding, and only given its section when it has none. A
; new list is UTF-16LE. $R3: 1 when the list could not be written.
Function WriteUninstallList
  Push $0
  Push $1
  Push $R1
  Push $R4
  StrCpy $R3 0
  Call ListHasFilesSection
  ${If} $R1 = 0
    ClearErrors
    FileOpen $0 "$INSTDIR\${LIST}" a
    ${If} ${Errors}
      StrCpy $R3 1
    ${Else}
      FileSeek $0 0 END $1
      ${If} $1 = 0
        FileWriteWord $0 0xFEFF
        StrCpy $R4 1
      ${Else}
        !insertmacro WriteListText $0 $R4 "$\r$\n"
      ${EndIf}
      !insertmacro WriteListText $0 $R4 "[Files]$\r$\n"
      FileClose $0
    ${EndIf}
  ${EndIf}
  Pop $R4
  Pop $R1
  Pop $1
  Pop $0
FunctionEnd

; The program looks for the uninstall list in its working directory.
Function StartInstalledProgram
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\${PRODUCT}.exe"'
FunctionEnd

Section "${PRODUCT}" SecProgram
  Call EndRunningProgram

  SetOutPath "$INSTDIR"
  File "/oname=${PRODUCT}.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  Call WriteUninstallList
  ${If} $R3 = 1
    Abort "$(ListNotWritten) $INSTDIR\${LIST}"
  ${EndIf}

  ; The shortcut's working directory is $OUTDIR, the program's folder.
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe" "" "$INSTDIR\${PRODUCT}.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PRODUCT}.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; ---- Helpers for both sides --------------------------------------------------------
; Removes line breaks and blanks at both ends: stack in, stack out.
!macro DefineTrimLine un
  Function ${un}TrimLine
    Exch $0
    Push $1
    ${Do}
      StrCpy $1 $0 1 -1
      ${If} $1 == "$\r"
      ${OrIf} $1 == "$\n"
      ${OrIf} $1 == " "
      ${OrIf} $1 == "$\t"
        StrCpy $0 $0 -1
      ${Else}
        ${Break}
      ${EndIf}
    ${Loop}
    ${Do}
      StrCpy $1 $0 1
      ${If} $1 == " "
      ${OrIf} $1 == "$\t"
        StrCpy $0 $0 "" 1
      ${Else}
        ${Break}
      ${EndIf}
    ${Loop}
    Pop $1
    Exch $0
  FunctionEnd
!macroend
!insertmacro DefineTrimLine ""
!insertmacro DefineTrimLine "un."

; ---- Uninstallation --------------------------------------------------------------
; Deletes one file named by a key of the list's [Files] section (stack in). Only a
; full path to a file is taken: a relative name would depend on the uninstaller's
; own working directory, and Delete would expand wildcards into other files.
Function un.DeleteListedFile
  Exch $0
  Push $1
  Push $2
  StrCpy $1 $0 2 1
  StrCpy $2 $0 2
  ${If} $1 != ":\"
  ${AndIf} $2 != "\\"
    DetailPrint "Skipped (not a full path): $0"
  ${Else}
    Push $0
    Push "*"
    Call un.Contains
    Pop $1
    Push $0
    Push "?"
    Call un.Contains
    Pop $2
    ${If} $1 = 1
    ${OrIf} $2 = 1
      DetailPrint "Skipped (wildcard): $0"
    ${ElseIf} ${FileExists} "$0"
      Delete "$0"
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; 1 when the text contains the character: stack (text, character) in, result out.
Function un.Contains
  Exch $1
  Exch
  Exch $0
  Push $2
  Push $3
  StrCpy $3 0
  ${Do}
    StrCpy $2 $0 1 $3
    ${If} $2 == ""
      StrCpy $0 0
      ${Break}
    ${ElseIf} $2 == $1
      StrCpy $0 1
      ${Break}
    ${EndIf}
    IntOp $3 $3 + 1
  ${Loop}
  Pop $3
  Pop $2
  Exch $0
  Exch
  Pop $1
FunctionEnd

; The list is an INI file; the keys of its [Files] section are full paths.
Function un.DeleteListedFiles
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  !insertmacro OpenList $0 $5
  ${If} ${Errors}
    Goto done
  ${EndIf}
  StrCpy $1 0  ; inside [Files]
  StrCpy $4 1  ; the last piece read ended its line
  ${Do}
    ClearErrors
    !insertmacro ReadListLine $0 $5 $2
    ${If} ${Errors}
      ${Break}
    ${EndIf}
    ; A line longer than a string holds arrives in pieces; none of them is a path.
    StrCpy $3 $2 1 -1
    ${If} $4 = 0
      ${If} $3 == "$\n"
        StrCpy $4 1
      ${EndIf}
      ${Continue}
    ${EndIf}
    ${If} $3 != "$\n"
    ${AndIf} $3 != "$\r"
      StrLen $3 $2
      ${If} $3 >= ${LONGEST_PIECE}
        StrCpy $4 0
        ${Continue}
      ${EndIf}
    ${EndIf}
    Push $2
    Call un.TrimLine
    Pop $2
    StrCpy $3 $2 1
    ${If} $3 == "["
      ${If} $2 == "[Files]"
        StrCpy $1 1
      ${Else}
        StrCpy $1 0
      ${EndIf}
    ${ElseIf} $1 = 1
    ${AndIf} $3 != ";"
    ${AndIf} $2 != ""
      ; The key: everything before the first "=".
      StrCpy $3 0
      ${Do}
        StrCpy $4 $2 1 $3
        ${If} $4 == "="
        ${OrIf} $4 == ""
          ${Break}
        ${EndIf}
        IntOp $3 $3 + 1
      ${Loop}
      StrCpy $2 $2 $3
      Push $2
      Call un.TrimLine
      Call un.DeleteListedFile
      StrCpy $4 1
    ${EndIf}
  ${Loop}
  FileClose $0
  done:
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; The program enters its autostart shortcut into the list only when it was started
; in its own folder (from the Start menu); started otherwise (for example by that
; very shortcut at logon) it makes or keeps the shortcut unlisted. Left behind, it
; would point at a deleted program at every logon: it goes when it points here.
Function un.DeleteUnlistedAutostartShortcut
  Push $0
  Push $1
  Push $2
  Push $3
  ${IfNot} ${FileExists} "$SMSTARTUP\${PRODUCT}.lnk"
    Goto done
  ${EndIf}
  StrCpy $3 ""
  ; IShellLinkW of CLSID_ShellLink, its IPersistFile; Load is slot 5, GetPath slot 3.
  System::Call 'ole32::CoCreateInstance(g "{00021401-0000-0000-C000-000000000046}", p 0, i 1, g "{000214F9-0000-0000-C000-000000000046}", *p .r1) i .r0'
  ${If} $0 = 0
    System::Call '$1->0(g "{0000010b-0000-0000-C000-000000000046}", *p .r2) i .r0'
    ${If} $0 = 0
      System::Call '$2->5(w "$SMSTARTUP\${PRODUCT}.lnk", i 0) i .r0'
      ${If} $0 = 0
        System::Call '$1->3(w .r3, i ${NSIS_MAX_STRLEN}, p 0, i 0) i .r0'
      ${EndIf}
      System::Call '$2->2()'
    ${EndIf}
    System::Call '$1->2()'
  ${EndIf}
  ${If} $3 == "$INSTDIR\${PRODUCT}.exe"
    Delete "$SMSTARTUP\${PRODUCT}.lnk"
  ${EndIf}
  done:
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; The notes and reminders, the bin of deleted ones, and the files the program
; set aside because they did not parse, in one folder. Settings go with them.
!macro DeleteUserDataIn folder
  Delete "${folder}\Zorla_Notes"
  Delete "${folder}\Zorla_Timer"
  Delete "${folder}\Zorla_Deleted"
  Delete "${folder}\Zorla_Notes.bad*"
  Delete "${folder}\Zorla_Timer.bad*"
  Delete "${folder}\Zorla_Deleted.bad*"
!macroend

; $R2: 1 when notes, reminders or settings exist; the notes may also be in the
; per-user folder the program takes when its own folder refuses files.
Function un.HasUserData
  Push $0
  StrCpy $R2 0
  ${If} ${FileExists} "$INSTDIR\Zorla_Notes*"
  ${OrIf} ${FileExists} "$INSTDIR\Zorla_Timer*"
  ${OrIf} ${FileExists} "$INSTDIR\Zorla_Deleted*"
  ${OrIf} ${FileExists} "$APPDATA\${COMPANY}\${PRODUCT}\Zorla_Notes*"
  ${OrIf} ${FileExists} "$APPDATA\${COMPANY}\${PRODUCT}\Zorla_Timer*"
  ${OrIf} ${FileExists} "$APPDATA\${COMPANY}\${PRODUCT}\Zorla_Deleted*"
    StrCpy $R2 1
  ${EndIf}
  ; The settings live in one subkey per section.
  EnumRegKey $0 HKCU "${SETTINGS_KEY}" 0
  ${If} $0 != ""
    StrCpy $R2 1
  ${EndIf}
  Pop $0
FunctionEnd

Section "Uninstall"
  Call un.EndRunningProgram

  ; The autostart shortcut and whatever else the program entered into the list.
  Call un.DeleteListedFiles
  Call un.DeleteUnlistedAutostartShortcut

  Delete "$INSTDIR\${PRODUCT}.exe"
  Delete "$INSTDIR\${LIST}"
  Delete "$INSTDIR\${LIST}.new"
  ; The weather is only a copy of what the server sends; the .tmp files are cut saves.
  Delete "$INSTDIR\Zorla_Weather"
  Delete "$INSTDIR\Zorla_*.tmp"
  Delete "$INSTDIR\${UNINSTALLER}"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; Kept unless the user says otherwise: "No" is the default answer, and a silent
  ; uninstall (/S) takes it.
  Call un.HasUserData
  ${If} $R2 = 1
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(AskDeleteData)" /SD IDNO IDNO keep
    !insertmacro DeleteUserDataIn "$INSTDIR"
    !insertmacro DeleteUserDataIn "$APPDATA\${COMPANY}\${PRODUCT}"
    Delete "$APPDATA\${COMPANY}\${PRODUCT}\Zorla_Weather"
    Delete "$APPDATA\${COMPANY}\${PRODUCT}\Zorla_*.tmp"
    RMDir "$APPDATA\${COMPANY}\${PRODUCT}"
    RMDir "$APPDATA\${COMPANY}"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\${COMPANY}"
  keep:
  ${EndIf}

  ; Only when empty: kept notes stay in their folder.
  RMDir "$INSTDIR"
SectionEnd
