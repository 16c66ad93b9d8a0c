; SPDX-License-Identifier: GPL-3.0-or-later
; SPDX-FileCopyrightText: 2026 Crashkit maintainers
;
; The Windows installer, crashkit-<version>-setup.exe. scripts/windows.sh makes it from the
; zip's folder with Debian's NSIS:
;   makensis -INPUTCHARSET UTF8 -WX -DVERSION=1.0.0 -DSTAGE=<zip folder> \
;            -DFILES=<install list> -DUNFILES=<uninstall list> -DOUTFILE=<setup.exe> crashkit.nsi
; FILES holds the File commands and UNFILES the matching Delete and RMDir commands, both
; written from the zip's folder, so the uninstaller removes exactly what was installed.
;
; An administrator installs for everyone (Program Files, HKLM) or, on the second page, for
; themselves; anyone else for themselves (their own Programs folder, HKCU). On the command line:
;   /S             silent, for computer rooms
;   /AllUsers      for everyone (needs an administrator)   /CurrentUser   for the user only
;   /D=C:\folder   the place (last on the command line, as NSIS wants)
; The uninstaller takes /S and the same two modes.

Unicode true
; The program is 64-bit only, and so is its installer: Program Files and the registry are
; then the 64-bit ones with no redirection.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define PRODUCT "Crashkit"
!define THAI_NAME "ชุดเสริมทักษะ PERT/CPM"
; The Start menu entry: the Thai name, with "-" because a file name cannot hold "/".
!define SHORTCUT "ชุดเสริมทักษะ PERT-CPM"
!define PUBLISHER "Crashkit maintainers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Crashkit"
!define PROGID "Crashkit.Project"
!define CLASSES "Software\Classes"
; Where the program keeps its settings (QSettings "crashkit", "crashkit").
!define SETTINGS_KEY "Software\crashkit"

Name "${PRODUCT}"
Caption "$(Caption)"
OutFile "${OUTFILE}"
BrandingText "Crashkit ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Crashkit"
VIAddVersionKey /LANG=1033 "FileDescription" "Crashkit ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}. GPL-3.0-or-later."

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "Crashkit"
!define MULTIUSER_USE_PROGRAMFILES64
; A later install and the uninstaller find the mode and the folder of the last install here.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "UninstallString"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_TOP "$(InstallModeTop)"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_ALLUSERS "$(InstallModeAllUsers)"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_CURRENTUSER "$(InstallModeCurrentUser)"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MUI_ICON "crashkit.ico"
!define MUI_UNICON "crashkit.ico"
!define MUI_ABORTWARNING

; The GPL is not an agreement to sign before use: the page shows it with a Next button.
!define MUI_LICENSEPAGE_TEXT_BOTTOM "$(LicenceNote)"
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\crashkit.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(RunNow)"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; NSIS's Thai texts lack the install-mode page's title; these fill it, the others come from
; LangString below.
!define MULTIUSER_TEXT_INSTALLMODE_TITLE "เลือกผู้ใช้"
!define MULTIUSER_TEXT_INSTALLMODE_SUBTITLE "เลือกว่าจะติดตั้ง $(^NameDA) ให้ผู้ใช้คนใด"
!define MULTIUSER_INNERTEXT_INSTALLMODE_TOP " "
!define MULTIUSER_INNERTEXT_INSTALLMODE_ALLUSERS " "
!define MULTIUSER_INNERTEXT_INSTALLMODE_CURRENTUSER " "
; Thai first: it is the language of the program, used wherever Windows speaks neither.
!insertmacro MUI_LANGUAGE "Thai"
!insertmacro MUI_LANGUAGE "English"

LangString Caption ${LANG_THAI} "ติดตั้ง ${THAI_NAME} (Crashkit ${VERSION})"
LangString Caption ${LANG_ENGLISH} "Crashkit ${VERSION} setup"
LangString LicenceNote ${LANG_THAI} "Crashkit เป็นซอฟต์แวร์เสรีตามสัญญาอนุญาต GNU GPL รุ่น 3 หรือใหม่กว่า ใช้โปรแกรมได้โดยไม่ต้องยอมรับสัญญานี้ สัญญากำหนดเงื่อนไขของการทำสำเนา แก้ไข และแจกจ่ายต่อ"
LangString LicenceNote ${LANG_ENGLISH} "Crashkit is free software under the GNU GPL, version 3 or later. You need not accept it to use the program; it sets the terms for copying, changing and passing it on."
LangString InstallModeTop ${LANG_THAI} "ติดตั้ง $(^NameDA) ให้ทุกคนที่ใช้เครื่องนี้ หรือให้คุณคนเดียว $(^ClickNext)"
LangString InstallModeTop ${LANG_ENGLISH} "Install $(^NameDA) for everyone who uses this computer or only for you. $(^ClickNext)"
LangString InstallModeAllUsers ${LANG_THAI} "ติดตั้งให้ทุกคนที่ใช้เครื่องนี้"
LangString InstallModeAllUsers ${LANG_ENGLISH} "Install for anyone using this computer"
LangString InstallModeCurrentUser ${LANG_THAI} "ติดตั้งให้ฉันคนเดียว"
LangString InstallModeCurrentUser ${LANG_ENGLISH} "Install just for me"
LangString RunNow ${LANG_THAI} "เปิด ${THAI_NAME} เลย"
LangString RunNow ${LANG_ENGLISH} "Start Crashkit now"
LangString ShortcutComment ${LANG_THAI} "ฝึกการเร่งโครงการด้วยเทคนิค PERT/CPM"
LangString ShortcutComment ${LANG_ENGLISH} "Practise crashing a project with PERT/CPM"
LangString FileTypeName ${LANG_THAI} "โครงการ Crashkit"
LangString FileTypeName ${LANG_ENGLISH} "Crashkit project"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Crashkit"
  ; An earlier install in this place goes first, so no file of an older version stays; its
  ; uninstaller runs where it is (_?=) and is told to keep the user's settings.
  ${If} ${FileExists} "$INSTDIR\uninstall.exe"
    ExecWait '"$INSTDIR\uninstall.exe" /S /$MultiUser.InstallMode /KeepSettings _?=$INSTDIR'
    Delete "$INSTDIR\uninstall.exe"
  ${EndIf}

  !include "${FILES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${SHORTCUT}.lnk" "$INSTDIR\crashkit.exe" "" \
    "$INSTDIR\crashkit.exe" 0 SW_SHOWNORMAL "" "$(ShortcutComment)"

  ; .crashkit files: their icon (the second in crashkit.exe), opened by a double-click.
  WriteRegStr SHCTX "${CLASSES}\.crashkit" "" "${PROGID}"
  WriteRegStr SHCTX "${CLASSES}\.crashkit" "Content Type" "application/x-crashkit"
  WriteRegStr SHCTX "${CLASSES}\.crashkit\OpenWithProgids" "${PROGID}" ""
  WriteRegStr SHCTX "${CLASSES}\${PROGID}" "" "$(FileTypeName)"
  WriteRegStr SHCTX "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\crashkit.exe,1"
  WriteRegStr SHCTX "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\crashkit.exe" "%1"'
  ; "Open with" offers the program for its project files and for CSV tables.
  WriteRegStr SHCTX "${CLASSES}\Applications\crashkit.exe" "FriendlyAppName" "${THAI_NAME}"
  WriteRegStr SHCTX "${CLASSES}\Applications\crashkit.exe\DefaultIcon" "" "$INSTDIR\crashkit.exe,0"
  WriteRegStr SHCTX "${CLASSES}\Applications\crashkit.exe\shell\open\command" "" \
    '"$INSTDIR\crashkit.exe" "%1"'
  WriteRegStr SHCTX "${CLASSES}\Applications\crashkit.exe\SupportedTypes" ".crashkit" ""
  WriteRegStr SHCTX "${CLASSES}\Applications\crashkit.exe\SupportedTypes" ".csv" ""
  WriteRegStr SHCTX "${CLASSES}\.csv\OpenWithProgids" "${PROGID}" ""

  ; The entry in the system's installed programs.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Crashkit (${THAI_NAME})"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\crashkit.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
    '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"

  ; Explorer shows the new icons without a restart.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${SHORTCUT}.lnk"
  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ; The file type, only where it is still this program's.
  ReadRegStr $0 SHCTX "${CLASSES}\.crashkit" ""
  ${If} $0 == "${PROGID}"
    DeleteRegValue SHCTX "${CLASSES}\.crashkit" ""
    DeleteRegValue SHCTX "${CLASSES}\.crashkit" "Content Type"
  ${EndIf}
  DeleteRegValue SHCTX "${CLASSES}\.crashkit\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "${CLASSES}\.crashkit\OpenWithProgids"
  DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "${CLASSES}\.crashkit"
  DeleteRegValue SHCTX "${CLASSES}\.csv\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "${CLASSES}\.csv\OpenWithProgids"
  DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "${CLASSES}\.csv"
  DeleteRegKey SHCTX "${CLASSES}\${PROGID}"
  DeleteRegKey SHCTX "${CLASSES}\Applications\crashkit.exe"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; The folders above ours that the install made, where nothing else is in them (a user's
  ; first per-user program makes them).
  DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "${CLASSES}\Applications"
  DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall"
  ${If} $MultiUser.InstallMode == CurrentUser
    RMDir "$LOCALAPPDATA\Programs"
    DeleteRegKey /ifnosubkeys /ifnovalues HKCU "${CLASSES}"
  ${EndIf}

  ; The program's settings (recent files) of the user who uninstalls, unless an install over
  ; this one is running the uninstaller.
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/KeepSettings" $2
  ${If} ${Errors}
    DeleteRegKey HKCU "${SETTINGS_KEY}"
  ${EndIf}

  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
