; Quadrel's Windows installer, a 64-bit NSIS installer made by packaging/windows/package:
;   makensis -DVERSION=1.0.7 -DVERSION_RECORD=1.0.0.7 -DSTAGE=<dir> -DICON=<quadrel.ico>
;            -DOUTFILE=<setup.exe> quadrel.nsi
; STAGE holds the files that go in (quadrel.exe, LICENSE.txt). The installer puts them in
; Program Files\Quadrel for every user, adds a Start-menu entry, offers the program under "Open
; with" for the picture files it reads, and registers its uninstaller with Windows (Settings >
; Apps). Both it and the uninstaller run silently with /S.

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quadrel"
; "Open with": the program with its command and the types it opens, and the program in each type's
; list of programs to open it with. No type's default program changes.
!define APPLICATION_KEY "Software\Classes\Applications\quadrel.exe"

; The picture types the program reads (ui/common/behaviour.hpp, kPicturePatterns), each given to
; `MACRO`.
!macro ForEachPictureType MACRO
    !insertmacro ${MACRO} .jpg
    !insertmacro ${MACRO} .jpeg
    !insertmacro ${MACRO} .png
    !insertmacro ${MACRO} .tif
    !insertmacro ${MACRO} .tiff
    !insertmacro ${MACRO} .webp
    !insertmacro ${MACRO} .gif
    !insertmacro ${MACRO} .bmp
!macroend
!macro OpenWith TYPE
    WriteRegStr HKLM "${APPLICATION_KEY}\SupportedTypes" "${TYPE}" ""
    WriteRegStr HKLM "Software\Classes\${TYPE}\OpenWithList\quadrel.exe" "" ""
!macroend
; Takes out what OpenWith put in, and the keys that held it if they hold nothing else now (no
; subkey and no value: /ifempty since NSIS 3.04).
!macro NoLongerOpenWith TYPE
    DeleteRegKey HKLM "Software\Classes\${TYPE}\OpenWithList\quadrel.exe"
    DeleteRegKey /ifempty HKLM "Software\Classes\${TYPE}\OpenWithList"
    DeleteRegKey /ifempty HKLM "Software\Classes\${TYPE}"
!macroend

Name "Quadrel ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quadrel"
; An installation that is already there is updated in its own folder.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Quadrel ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The program speaks Italian and English; the installer takes whichever Windows uses, else the
; first.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Italian"

VIProductVersion "${VERSION_RECORD}"
VIFileVersion "${VERSION_RECORD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Quadrel"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Quadrel team"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Quadrel ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (c) Quadrel team, MIT License"

Section "Quadrel"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${STAGE}\quadrel.exe"
    File "${STAGE}\LICENSE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Quadrel.lnk" "$INSTDIR\quadrel.exe"

    WriteRegStr HKLM "${APPLICATION_KEY}\shell\open\command" "" '"$INSTDIR\quadrel.exe" "%1"'
    !insertmacro ForEachPictureType OpenWith

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quadrel"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Quadrel team"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quadrel.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Quadrel.lnk"
    DeleteRegKey HKLM "${APPLICATION_KEY}"
    !insertmacro ForEachPictureType NoLongerOpenWith
    Delete "$INSTDIR\quadrel.exe"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    ; Only if empty: whatever else the user put there stays.
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
