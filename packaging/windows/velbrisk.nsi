; SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
; SPDX-License-Identifier: GPL-3.0-or-later

; Velbrisk's installer for 64-bit Windows. The same file installs
;   - for the current user alone when it runs without elevation: into
;     %LOCALAPPDATA%\Programs\Velbrisk, a shortcut in that user's Start menu,
;     the uninstall key under HKCU;
;   - for every user of the machine when it runs elevated: into Program Files,
;     a shortcut in every user's Start menu, the uninstall key under HKLM.
; /CurrentUser or /AllUsers on the command line chooses; the interactive
; install asks on a page of its own when it has the rights to choose. The
; uninstaller lists itself under "Applications" either way.
;
;   makensis -DSTAGING=DIR -DVERSION=2.00 -DCOPYRIGHT="2026 ..." -DPUBLISHER="..."
;            [-DOUTFILE=SETUP.exe] velbrisk.nsi
;
; STAGING is the folder made by collect-dlls.py, with the licence and the
; notices. The installer takes exactly its files, and the uninstaller removes
; exactly those, never a file it did not put there.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef STAGING
  !error "STAGING, le dossier fait par collect-dlls.py, est à définir (-DSTAGING=...)"
!endif
!ifndef VERSION
  !error "VERSION est à définir (-DVERSION=2.00)"
!endif
!ifndef COPYRIGHT
  !error "COPYRIGHT, le titulaire des droits lu dans velbrisk-copyright.txt, est à définir"
!endif
!ifndef OUTFILE
  !define OUTFILE "Velbrisk-${VERSION}-setup.exe"
!endif

!define PRODUCT "Velbrisk"
!ifndef PUBLISHER
  !error "PUBLISHER, l'éditeur lu dans velbrisk-publisher.txt, est à définir"
!endif
!define EXE "velbrisk.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define ICON "${__FILEDIR__}/../icons/velbrisk.ico"

; "highest" and not "user": a standard user starts the installer without any
; prompt and installs for himself, while an administrator confirms the
; elevation once and may then choose every user or himself alone. With "user",
; an administrator would run with his filtered token, could not write Program
; Files, and the page could never offer every user.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
; A reinstall goes into the folder of the copy it replaces.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE \
  "Votre compte n'a pas les droits d'administrateur nécessaires pour installer $(^Name) pour tous les utilisateurs de cet ordinateur."
!define MULTIUSER_INIT_FUNCTIONQUIT QuitWithoutRights
!define MULTIUSER_INIT_UNFUNCTIONQUIT un.QuitWithoutRights

!include "MultiUser.nsh"
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

; The macros VelbriskInstallFiles and VelbriskUninstallFiles, made from the
; staging folder's listing.
!tempfile FILES
!system 'python3 "${__FILEDIR__}/collect-dlls.py" --nsis "${STAGING}" > "${FILES}"' = 0
!include "${FILES}"
!delfile "${FILES}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

; The installer's own version block, in French like the program's.
VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1036 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1036 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de ${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "LegalCopyright" "© ${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartAsTheUser
; The GPL asks for no acceptance to use the program: the page informs, and
; "Suivant" goes on.
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM \
  "Velbrisk est un logiciel libre. Cette licence vous permet de l'utiliser, de l'étudier, de le partager et de le modifier ; vous n'avez pas à l'accepter pour l'utiliser. Elle fixe les conditions de sa redistribution."

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGING}/LICENSE"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

Function .onInit
  SetRegView 64
  ; Without the rights, /AllUsers stops on a message box, which a silent
  ; install would wait on unseen: it fails at once instead.
  ${GetParameters} $0
  ${GetOptions} $0 "/AllUsers" $1
  ${IfNot} ${Errors}
  ${AndIf} ${Silent}
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
    ${AndIf} $1 != "Power"
      Call QuitWithoutRights
    ${EndIf}
  ${EndIf}
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function QuitWithoutRights
  SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
  Quit
FunctionEnd

; The finish page's offer: the program runs as the user who opened the session,
; never with the installer's administrator rights, so that its files and drops
; behave as after any other start. An elevated installer hands the start to
; the shell (Explorer), which runs with that user's own token.
Function StartAsTheUser
  ${If} $MultiUser.Privileges == "Admin"
  ${OrIf} $MultiUser.Privileges == "Power"
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\${EXE}"'
  ${Else}
    Exec '"$INSTDIR\${EXE}"'
  ${EndIf}
FunctionEnd

Section "Velbrisk"
  !insertmacro VelbriskInstallFiles
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The working folder of the shortcut is the current output folder.
  SetOutPath "$INSTDIR"
  ; $SMPROGRAMS and SHCTX follow the mode: every user's or the current user's.
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  SetRegView 64
  ; The mode functions also read the folder from the mode's key into $INSTDIR:
  ; the uninstaller keeps its own, the folder it was started from.
  StrCpy $R9 $INSTDIR
  !insertmacro MULTIUSER_UNINIT
  ; The copy this uninstaller belongs to, whatever the rights it runs with:
  ; the current user's when that user's key names its folder, else every
  ; user's, which only an administrator may remove.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $R9
    Call un.MultiUser.InstallMode.CurrentUser
  ${Else}
    Call un.MultiUser.InstallMode.AllUsers
    ${If} $MultiUser.InstallMode != "AllUsers"
      MessageBox MB_OK|MB_ICONSTOP \
        "$(^Name) est installé ici pour tous les utilisateurs : seul un administrateur peut le désinstaller." \
        /SD IDOK
      Call un.QuitWithoutRights
    ${EndIf}
  ${EndIf}
  StrCpy $INSTDIR $R9
FunctionEnd

Function un.QuitWithoutRights
  SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
  Quit
FunctionEnd

Section "Uninstall"
  ; The shortcut and the listing first: nothing points to files already gone.
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  !insertmacro VelbriskUninstallFiles
  Delete "$INSTDIR\uninstall.exe"
  ; Only if empty: files the user put there stay, and so does their folder.
  RMDir "$INSTDIR"
  ; The user's programs folder, which the install may have made: gone too
  ; when empty, as Windows makes it again for whichever program asks.
  ${If} $MultiUser.InstallMode == "CurrentUser"
    GetKnownFolderPath $0 {5CD7AEE2-2219-4A67-B85D-6C9CE15660CB} ; FOLDERID_UserProgramFiles
    StrCmp $0 "" 0 +2
      StrCpy $0 "$LOCALAPPDATA\Programs" ; where the installer falls back to as well
    ${If} "$0\${PRODUCT}" == $INSTDIR
      RMDir "$0"
    ${EndIf}
  ${EndIf}
SectionEnd
