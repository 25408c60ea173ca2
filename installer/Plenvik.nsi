; The setup of Plenvik: the program, the shell extension of Explorer's bitness (on 64-bit Windows also
; the 32-bit one, for the file dialogs of 32-bit programs), the extension's registration through its own
; DllRegisterServer / DllInstall("user"), the association of .Plenvk, a Start-menu shortcut and the
; uninstaller with its "Apps" entry. Per user (the default: no administrator, classes under
; HKCU\Software\Classes) or per machine (/ALLUSERS, administrator).
;
; makensis defines (scripts/package and the win64 build pass them):
;   PLENVIK_GENERATED  folder of PlenvikVersion.nsh (the build's version)
;   PLENVIK_BIN64      folder of the 64-bit Plenvik.exe and OrvelShellExtensions.dll
;   PLENVIK_BIN32      folder of the 32-bit ones (required for the x86 setup, optional for amd64)
;   PLENVIK_OUTFILE    the setup program to write
;   PLENVIK_AMD64      set: a 64-bit setup program (it runs on 64-bit Windows only)
; Silent: /S, with /ALLUSERS or /CURRENTUSER, and /D=folder as the last option.
;
; Per machine as a standard user, the setup and the uninstaller start themselves again elevated ("runas",
; the UAC prompt) with the same options and /ELEVATED, wait for that copy and end with its exit code; a
; refused elevation ends a silent run with 740, nothing changed. Test hook:
; PLENVIK_SETUP_TEST_STANDARD_USER=1 makes a setup or uninstaller started without /ELEVATED take itself
; for a standard user, =always every one (Wine makes everyone an administrator).

!ifdef PLENVIK_AMD64
  Target amd64-unicode
!else
  Unicode true
  !ifndef PLENVIK_BIN32
    !error "the setup for every Windows needs PLENVIK_BIN32"
  !endif
!endif

; LogicLib leaves unused labels behind ${OrIf} and single-branch ${If}s.
!pragma warning disable 6012

!include "${PLENVIK_GENERATED}/PlenvikVersion.nsh"
!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include nsDialogs.nsh

!define PRODUCT "Plenvik"
!define PUBLISHER "Orvel GmbH"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Plenvik"
!define PROJECT_CLASS "Plenvik.Projekt"
!define SHELL_EXTENSION "OrvelShellExtensions"
!define ICON_FILE "${__FILEDIR__}/../res/Plenvik.ico"

Name "${PRODUCT}"
OutFile "${PLENVIK_OUTFILE}"
; A per-user setup needs no administrator; a per-machine one asks for one when it has none.
RequestExecutionLevel user
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${PLENVIK_VERSION_TEXT}"

VIProductVersion "${PLENVIK_VERSION_QUAD}"
VIFileVersion "${PLENVIK_VERSION_QUAD}"
VIAddVersionKey /LANG=1031 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1031 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1031 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1031 "FileVersion" "${PLENVIK_VERSION_TEXT}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${PLENVIK_VERSION_TEXT}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "${PUBLISHER}"

Var AllUsers        ; 1: per machine, 0: per user
Var InstDirGiven    ; 1: /D= named the folder
Var Elevated        ; 1: started elevated by a setup that had no administrator (/ELEVATED)
Var ModePage
Var ModeUser
Var ModeMachine

!define MUI_ICON "${ICON_FILE}"
!define MUI_UNICON "${ICON_FILE}"
!define MUI_ABORTWARNING
Page custom ModePageShow ModePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Plenvik.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Plenvik jetzt starten"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

; ---- mode: per user or per machine ----

; Chooses the shell folders, the registry root (SHCTX), the registry view and the default folder.
!macro ApplyMode un
Function ${un}ApplyMode
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  ${If} $InstDirGiven != 1
    ${If} $AllUsers == 1
      ${If} ${RunningX64}
        StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
      ${Else}
        StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
      ${EndIf}
    ${Else}
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${EndIf}
  ${EndIf}
FunctionEnd
!macroend
!insertmacro ApplyMode ""
!insertmacro ApplyMode "un."

; /ALLUSERS or /CURRENTUSER on the command line (otherwise per user), and /ELEVATED. $R0: the command
; line's options.
!macro ReadModeOption
  StrCpy $AllUsers 0
  StrCpy $Elevated 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/ELEVATED" $R1
  ${IfNot} ${Errors}
    StrCpy $Elevated 1
  ${EndIf}
!macroend

; $R2: "Admin" for an administrator (UserInfo's account type), unless the test hook says otherwise.
!macro AccountType un
Function ${un}AccountType
  UserInfo::GetAccountType
  Pop $R2
  ReadEnvStr $R3 PLENVIK_SETUP_TEST_STANDARD_USER
  ${If} $R3 == "always"
    StrCpy $R2 "User"
  ${ElseIf} $R3 == "1"
  ${AndIf} $Elevated != 1
    StrCpy $R2 "User"
  ${EndIf}
FunctionEnd
!macroend
!insertmacro AccountType ""
!insertmacro AccountType "un."

; Per machine needs an administrator: say so (silently: exit code 740) and stop.
!macro RequireAdministrator un onFail
  ${If} $AllUsers == 1
    Call ${un}AccountType
    ${If} $R2 != "Admin"
      MessageBox MB_OK|MB_ICONSTOP "Für die Installation für alle Benutzer sind Administratorrechte nötig.$\r$\n$\r$\nStarten Sie das Setup als Administrator oder installieren Sie Plenvik nur für sich." /SD IDOK
      ${onFail}
    ${EndIf}
  ${EndIf}
!macroend
!define QuitElevationRequired "!insertmacro QuitElevationRequired"
!macro QuitElevationRequired
  SetErrorLevel 740
  Quit
!macroend

; SHELLEXECUTEINFOW as the System plug-in lays it out: it does not align, so the 64-bit setup pads.
!ifdef PLENVIK_AMD64
  !define SEI_SIZE 112
  !define SEI_PAD ", i 0"
!else
  !define SEI_SIZE 60
  !define SEI_PAD ""
!endif
!define SEE_MASK_NOCLOSEPROCESS 0x40

; Per machine without an administrator: starts this setup (or uninstaller) again elevated, with /ELEVATED
; /ALLUSERS, the options it was given and the folder (/D=, or the uninstaller's _?=), waits for it and
; ends with its exit code. Returns when no elevated copy ran (the user refused, or this is the elevated
; copy already).
!macro ElevateForMachine un
Function ${un}ElevateForMachine
  ${If} $AllUsers != 1
  ${OrIf} $Elevated == 1
    Return
  ${EndIf}
  Call ${un}AccountType
  ${If} $R2 == "Admin"
    Return
  ${EndIf}
  ${GetParameters} $R0
  StrCpy $R0 "/ELEVATED /ALLUSERS $R0"
  ; NSIS takes /D= and _?= off the command line; they go last again, unquoted.
  !if "${un}" == "un."
    ; This uninstaller runs from a copy in the temporary folder: _?= names the installation to remove
    ; and keeps the elevated copy from copying itself once more.
    StrCpy $R0 "$R0 _?=$INSTDIR"
  !else
    ${If} $InstDirGiven == 1
      StrCpy $R0 "$R0 /D=$INSTDIR"
    ${EndIf}
  !endif
  System::Call '*(i ${SEI_SIZE}, i ${SEE_MASK_NOCLOSEPROCESS}, p $HWNDPARENT, w "runas", w "$EXEPATH", w "$R0", p 0, i 1${SEI_PAD}, p 0, p 0, p 0, p 0, i 0${SEI_PAD}, p 0, p 0) p.r1'
  System::Call 'shell32::ShellExecuteExW(p r1) i.r2'
  ${If} $2 == 0
    System::Free $1
    Return
  ${EndIf}
  System::Call '*$1(i, i, p, p, p, p, p, i${SEI_PAD}, p, p, p, p, i${SEI_PAD}, p, p.r3)'
  System::Free $1
  HideWindow
  System::Call 'kernel32::WaitForSingleObject(p r3, i -1)'
  System::Call 'kernel32::GetExitCodeProcess(p r3, *i 1 r4)'
  System::Call 'kernel32::CloseHandle(p r3)'
  SetErrorLevel $4
  Quit
FunctionEnd
!macroend
!insertmacro ElevateForMachine ""
!insertmacro ElevateForMachine "un."

Function .onInit
  !ifdef PLENVIK_AMD64
    ${IfNot} ${RunningX64}
      MessageBox MB_OK|MB_ICONSTOP "Dieses Setup ist für 64-Bit-Windows." /SD IDOK
      SetErrorLevel 1
      Quit
    ${EndIf}
  !endif
  StrCpy $InstDirGiven 0
  ${If} $INSTDIR != ""
    StrCpy $InstDirGiven 1
  ${EndIf}
  !insertmacro ReadModeOption
  Call ElevateForMachine
  !insertmacro RequireAdministrator "" "${QuitElevationRequired}"
  Call ApplyMode
FunctionEnd

Function ModePageShow
  ; The elevated copy installs per machine: the choice was made before the elevation (the administrator
  ; may be another account, whose profile a per-user installation would go to).
  ${If} $Elevated == 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Installationsart" "Für wen soll Plenvik installiert werden?"
  nsDialogs::Create 1018
  Pop $ModePage
  ${NSD_CreateRadioButton} 0 10u 100% 12u "Nur für mich (empfohlen, keine Administratorrechte nötig)"
  Pop $ModeUser
  ${NSD_CreateLabel} 12u 24u 95% 20u "Plenvik, seine Projekte und Einstellungen liegen in Ihrem Benutzerprofil; das Kontextmenü des Desktops erscheint nur für Sie."
  Pop $R0
  ${NSD_CreateRadioButton} 0 52u 100% 12u "Für alle Benutzer dieses Computers (Administratorrechte nötig)"
  Pop $ModeMachine
  ${If} $AllUsers == 1
    ${NSD_Check} $ModeMachine
  ${Else}
    ${NSD_Check} $ModeUser
  ${EndIf}
  nsDialogs::Show
FunctionEnd

!define StayOnPage "Abort"
Function ModePageLeave
  ${NSD_GetState} $ModeMachine $R0
  ${If} $R0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call ElevateForMachine
  !insertmacro RequireAdministrator "" "${StayOnPage}"
  Call ApplyMode
FunctionEnd

; ---- the shell extension's registration: its own DllRegisterServer, or DllInstall("user") ----

!macro RunRegsvr regsvr options dll
  ${If} $AllUsers == 1
    ExecWait '"${regsvr}" /s ${options} "${dll}"' $R0
  ${Else}
    ExecWait '"${regsvr}" /s ${options} /n /i:user "${dll}"' $R0
  ${EndIf}
!macroend

!macro RegisterExtension regsvr dll
  ClearErrors
  !insertmacro RunRegsvr "${regsvr}" "" "${dll}"
  ${If} ${Errors}
  ${OrIf} $R0 != 0
    DetailPrint "Registrierung fehlgeschlagen ($R0): ${dll}"
    MessageBox MB_OK|MB_ICONEXCLAMATION "Die Shell-Erweiterung konnte nicht registriert werden:$\r$\n${dll}$\r$\n$\r$\nDas Kontextmenü des Desktops fehlt; Plenvik selbst ist installiert." /SD IDOK
    SetErrorLevel 2
  ${EndIf}
!macroend

; regsvr32 of the extension's bitness (a 32-bit setup reaches the 64-bit one through Sysnative).
!ifdef PLENVIK_AMD64
  !define REGSVR_NATIVE "$SYSDIR\regsvr32.exe"
  !define REGSVR_32 "$WINDIR\SysWOW64\regsvr32.exe"
!else
  !define REGSVR_NATIVE "$WINDIR\Sysnative\regsvr32.exe"
  !define REGSVR_32 "$SYSDIR\regsvr32.exe"
!endif

; ---- install ----

Section "Plenvik" SecMain
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "/oname=Plenvik.exe" "${PLENVIK_BIN64}/Plenvik.exe"
    File "/oname=${SHELL_EXTENSION}.dll" "${PLENVIK_BIN64}/${SHELL_EXTENSION}.dll"
    !ifdef PLENVIK_BIN32
      File "/oname=${SHELL_EXTENSION}32.dll" "${PLENVIK_BIN32}/${SHELL_EXTENSION}.dll"
    !endif
  ${Else}
    !ifdef PLENVIK_BIN32
      File "/oname=Plenvik.exe" "${PLENVIK_BIN32}/Plenvik.exe"
      File "/oname=${SHELL_EXTENSION}.dll" "${PLENVIK_BIN32}/${SHELL_EXTENSION}.dll"
    !endif
  ${EndIf}
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ${If} ${RunningX64}
    !insertmacro RegisterExtension "${REGSVR_NATIVE}" "$INSTDIR\${SHELL_EXTENSION}.dll"
    !ifdef PLENVIK_BIN32
      !insertmacro RegisterExtension "${REGSVR_32}" "$INSTDIR\${SHELL_EXTENSION}32.dll"
    !endif
  ${Else}
    !insertmacro RegisterExtension "$SYSDIR\regsvr32.exe" "$INSTDIR\${SHELL_EXTENSION}.dll"
  ${EndIf}

  ; Project files open in Plenvik, with its icon.
  WriteRegStr SHCTX "Software\Classes\.Plenvk" "" "${PROJECT_CLASS}"
  WriteRegStr SHCTX "Software\Classes\${PROJECT_CLASS}" "" "Plenvik Desktop-Projekt"
  WriteRegStr SHCTX "Software\Classes\${PROJECT_CLASS}\DefaultIcon" "" "$INSTDIR\Plenvik.exe,0"
  WriteRegStr SHCTX "Software\Classes\${PROJECT_CLASS}\shell\open\command" "" '"$INSTDIR\Plenvik.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  CreateShortCut "$SMPROGRAMS\Plenvik.lnk" "$INSTDIR\Plenvik.exe" "" "$INSTDIR\Plenvik.exe" 0 SW_SHOWNORMAL "" \
    "Desktopsymbole sichern und wieder herstellen"

  ; The "Apps" entry.
  ${If} $AllUsers == 1
    StrCpy $R1 "/ALLUSERS"
  ${Else}
    StrCpy $R1 "/CURRENTUSER"
  ${EndIf}
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${PLENVIK_VERSION_TEXT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Plenvik.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" $R1'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" $R1 /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $R2 $R3 $R4
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$R2"
SectionEnd

; ---- uninstall: what the setup installed and registered; never projects, Settings.xml or the log ----

Function un.onInit
  StrCpy $InstDirGiven 1  ; the uninstaller's own folder
  !insertmacro ReadModeOption
  ClearErrors
  ${GetOptions} $R0 "/CURRENTUSER" $R1
  ${If} ${Errors}
  ${AndIf} $AllUsers != 1
    ; Started without a mode: per machine if the machine's entry names this folder.
    SetRegView 64
    ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    SetRegView default
    ${If} $R1 == $INSTDIR
      StrCpy $AllUsers 1
    ${EndIf}
  ${EndIf}
  Call un.ElevateForMachine
  !insertmacro RequireAdministrator "un." "${QuitElevationRequired}"
  Call un.ApplyMode
FunctionEnd

!macro UnregisterExtension regsvr dll
  ${If} ${FileExists} "${dll}"
    !insertmacro RunRegsvr "${regsvr}" "/u" "${dll}"
  ${EndIf}
!macroend

Section "Uninstall"
  ${If} ${RunningX64}
    !insertmacro UnregisterExtension "${REGSVR_NATIVE}" "$INSTDIR\${SHELL_EXTENSION}.dll"
    !insertmacro UnregisterExtension "${REGSVR_32}" "$INSTDIR\${SHELL_EXTENSION}32.dll"
  ${Else}
    !insertmacro UnregisterExtension "$SYSDIR\regsvr32.exe" "$INSTDIR\${SHELL_EXTENSION}.dll"
  ${EndIf}
  ; Explorer may still hold an extension: it goes at the next start of Windows then.
  Delete /REBOOTOK "$INSTDIR\${SHELL_EXTENSION}.dll"
  Delete /REBOOTOK "$INSTDIR\${SHELL_EXTENSION}32.dll"
  Delete "$INSTDIR\${SHELL_EXTENSION}.tlb"
  Delete "$INSTDIR\${SHELL_EXTENSION}32.tlb"
  Delete "$INSTDIR\Plenvik.exe"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when nothing of the user's (projects, Settings.xml, the log) is left in it.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Plenvik.lnk"

  ; .Plenvk keeps an association another program has taken meanwhile.
  ReadRegStr $R1 SHCTX "Software\Classes\.Plenvk" ""
  ${If} $R1 == "${PROJECT_CLASS}"
    DeleteRegKey SHCTX "Software\Classes\.Plenvk"
  ${EndIf}
  DeleteRegKey SHCTX "Software\Classes\${PROJECT_CLASS}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
