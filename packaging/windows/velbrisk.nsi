; SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
; SPDX-License-Identifier: GPL-3.0-or-later

; Velbrisk's installer for 64-bit Windows: one copy for every user of the
; machine in Program Files, a Start-menu shortcut, and an uninstaller that
; Windows lists under "Programmes et fonctionnalités".
;
;   makensis -DSTAGING=DIR -DVERSION=2.00 [-DOUTFILE=SETUP.exe] velbrisk.nsi
;
; STAGING is the folder made by collect-dlls.py. The installer takes exactly
; its files, and the uninstaller removes exactly those, never a file it did not
; put there.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef STAGING
  !error "STAGING, le dossier fait par collect-dlls.py, est à définir (-DSTAGING=...)"
!endif
!ifndef VERSION
  !error "VERSION est à définir (-DVERSION=2.00)"
!endif
!ifndef OUTFILE
  !define OUTFILE "Velbrisk-${VERSION}-setup.exe"
!endif

!define PRODUCT "Velbrisk"
!define PUBLISHER "KwR-Production"
!define EXE "velbrisk.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define ICON "${__FILEDIR__}/../icons/velbrisk.ico"

!include "MUI2.nsh"
!include "FileFunc.nsh"

; The macros VelbriskInstallFiles and VelbriskUninstallFiles, made from the
; staging folder's listing.
!tempfile FILES
!system 'python3 "${__FILEDIR__}/collect-dlls.py" --nsis "${STAGING}" > "${FILES}"' = 0
!include "${FILES}"
!delfile "${FILES}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"

; The installer's own version block, in French like the program's.
VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1036 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1036 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de ${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "LegalCopyright" "© ZeNdAl [ KwR-Production ]"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

Function .onInit
  ; Per machine: the shortcut goes to every user's Start menu, and the key to
  ; the 64-bit view of the registry, where 64-bit programs are listed.
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Section "Velbrisk"
  !insertmacro VelbriskInstallFiles
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The working folder of the shortcut is the current output folder.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  ; The shortcut and the listing first: nothing points to files already gone.
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  !insertmacro VelbriskUninstallFiles
  Delete "$INSTDIR\uninstall.exe"
  ; Only if empty: files the user put there stay, and so does their folder.
  RMDir "$INSTDIR"
SectionEnd
