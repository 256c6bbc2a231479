; The installer of the program, made by scripts/package.sh:
;   makensis -DARCH=x86_64|i686 -DSTAGE=<folder with the program and its texts> -DOUTFILE=<installer> installer.nsi
; It installs for the current user without administrator rights, into the user's own programs folder,
; because the program writes its settings file beside itself. It adds a Start menu entry and an
; uninstaller listed among the user's installed programs. Uninstalling removes what was installed and
; keeps the user's catalogues; the settings file goes only when the user agrees.

Unicode true
SetCompressor /SOLID lzma

!ifndef ARCH | STAGE | OUTFILE
    !error "ARCH, STAGE and OUTFILE must be defined (scripts/package.sh defines them)"
!endif
!if "${ARCH}" == "x86_64"
    Target amd64-unicode
!else if "${ARCH}" == "i686"
    Target x86-unicode
!else
    !error "ARCH must be x86_64 or i686, not ${ARCH}"
!endif

; Name, version, copyright and icon: the program's own, from the header its resource script reads.
!define RESOURCES "../src/resources" ; makensis works in the script's folder
!searchparse /file "${RESOURCES}/version.h" `#define VESH_PRODUCT_NAME "` PRODUCT `"`
!searchparse /file "${RESOURCES}/version.h" `#define VESH_VERSION_MAJOR ` VERSION_MAJOR
!searchparse /file "${RESOURCES}/version.h" `#define VESH_VERSION_MINOR ` VERSION_MINOR
!searchparse /file "${RESOURCES}/version.h" `#define VESH_COPYRIGHT "` COPYRIGHT `"`
!searchparse /file "${RESOURCES}/version.h" `#define VESH_PROGRAM_FILE "` PROGRAM_FILE `"`
!searchparse /file "${RESOURCES}/version.h" `#define VESH_ICON_FILE "` ICON_FILE `"`
!define VERSION "${VERSION_MAJOR}.${VERSION_MINOR}"
!define EXE "${PROGRAM_FILE}.exe"
!define INI "${PROGRAM_FILE}.ini"
!define UNINSTALLER "uninstall.exe"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Veshchehran"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}" "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; A Latin folder name: the program reaches its own folder through the ANSI API, which spells only
; the characters of the system's code page.
InstallDir "$LOCALAPPDATA\Programs\Veshchehran"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel user
BrandingText "${PRODUCT} ${VERSION}"

!include MUI2.nsh
!include LogicLib.nsh

!define MUI_ICON "${RESOURCES}/${ICON_FILE}"
!define MUI_UNICON "${RESOURCES}/${ICON_FILE}"
; The program's own pictures (scripts/make-title.sh makes them from its title picture): at the side of
; the welcome and finish pages, and in the header of the others, the uninstaller's too.
!define MUI_WELCOMEFINISHPAGE_BITMAP "${RESOURCES}/installer-side.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${RESOURCES}/installer-header.bmp"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

VIProductVersion "${VERSION_MAJOR}.${VERSION_MINOR}.0.0"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "FileDescription" "Установка программы ${PRODUCT}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "LegalCopyright" "${COPYRIGHT}"

Section
    SetOutPath "$INSTDIR"
    File "${STAGE}/${EXE}"
    File "${STAGE}/history.txt"
    File "${STAGE}/license.txt"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

    WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
    WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
    SectionGetSize 0 $0
    WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    ; The program first: while it runs its file cannot be removed, and nothing else may go then.
    ClearErrors
    Delete "$INSTDIR\${EXE}"
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONEXCLAMATION "Не удается удалить $INSTDIR\${EXE}.$\r$\nЕсли программа ${PRODUCT} запущена, закройте ее и повторите удаление." /SD IDOK
        Abort
    ${EndIf}
    Delete "$INSTDIR\history.txt"
    Delete "$INSTDIR\license.txt"
    ${If} ${FileExists} "$INSTDIR\${INI}"
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Удалить и файл настроек программы ($INSTDIR\${INI})?$\r$\nФайлы баз при удалении программы остаются на месте." /SD IDNO IDNO keepSettings
        Delete "$INSTDIR\${INI}"
    keepSettings:
    ${EndIf}
    Delete "${SHORTCUT}"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd
