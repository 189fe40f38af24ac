; The Windows installer: the Standalone program (with a Start-menu entry), the VST 2 DLL
; into a VST 2 folder the user picks, and the VST3 bundle into the common VST3 folder.
; Made by tools/package-windows, which passes:
;   /DVERSION=x.y.z  /DSTAGE=<folder with Standalone\, VST2\, VST3\ and LICENSE.txt>
;   /DOUTFILE=<setup .exe>
; Silent: setup.exe /S [/D=<program folder>] with /VST2DIR=<folder> before /D when the
; VST 2 DLL goes elsewhere than the default; uninstall.exe /S.

; A 64-bit installer, as the plug-in is 64-bit only (and wine64 runs it without a 32-bit
; wine beside it).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!define PRODUCT "Brisvane ZD8"
!define PUBLISHER "Brisvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\BrisvaneZD8"
!define SETTINGS_KEY "Software\Brisvane\ZD8"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"
!include "x64.nsh"
!include "StrFunc.nsh"

${StrLoc}

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "GPL-3.0-or-later"

; Where the VST 2 DLL goes.
Var Vst2Dir

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_HEADER_TEXT "VST 2 plug-in folder"
!define MUI_PAGE_HEADER_SUBTEXT "Choose the folder your host scans for VST 2 plug-ins."
!define MUI_DIRECTORYPAGE_TEXT_TOP "The VST 2 plug-in (BrisvaneZD8.dll) goes into this folder. Pick the folder your host scans for VST 2 plug-ins."
!define MUI_DIRECTORYPAGE_VARIABLE $Vst2Dir
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipVst2Folder
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_PAGE_HEADER_TEXT "Program folder"
!define MUI_PAGE_HEADER_SUBTEXT "Choose the folder of the Standalone program and the uninstaller."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The program folder keeps the uninstaller and the licence, whatever else is chosen.
Section "-Program folder"
    SetOutPath "$INSTDIR"
    File "${STAGE}\LICENSE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
SectionEnd

Section "Standalone program" SecStandalone
    SetOutPath "$INSTDIR"
    File "${STAGE}\Standalone\BrisvaneZD8.exe"
    ; Start menu of all users, as the program folder is every user's.
    SetShellVarContext all
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\BrisvaneZD8.exe"
    SetShellVarContext current
SectionEnd

Section "VST 2 plug-in" SecVst2
    SetOutPath "$Vst2Dir"
    File "${STAGE}\VST2\BrisvaneZD8.dll"
    WriteRegStr HKLM "${SETTINGS_KEY}" "Vst2Dir" "$Vst2Dir"
SectionEnd

Section "VST3 plug-in" SecVst3
    SetOutPath "$COMMONFILES64\VST3"
    File /r "${STAGE}\VST3\BrisvaneZD8.vst3"
SectionEnd

; Add/Remove Programs.
Section "-Registration"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecStandalone} "The program on its own, with a Start-menu entry."
    !insertmacro MUI_DESCRIPTION_TEXT ${SecVst2} "The VST 2 plug-in, into the VST 2 folder you choose next."
    !insertmacro MUI_DESCRIPTION_TEXT ${SecVst3} "The VST3 plug-in, into the common VST3 folder."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "${PRODUCT} needs 64-bit Windows." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
    ; The VST 2 folder: the one Steinberg's hosts record when there is one, else the
    ; folder most hosts scan by default; /VST2DIR= on the command line wins.
    ReadRegStr $Vst2Dir HKLM "Software\VST" "VSTPluginsPath"
    ${If} $Vst2Dir == ""
        StrCpy $Vst2Dir "$PROGRAMFILES64\VSTPlugins"
    ${EndIf}
    ; Both /VST2DIR="C:\My VST" and "/VST2DIR=C:\My VST" (as programs quote an
    ; argument with spaces) name C:\My VST; unquoted, the value ends at the next " /".
    ${GetParameters} $0
    ${StrLoc} $1 $0 "/VST2DIR=" ">"
    ${If} $1 != ""
        IntOp $1 $1 + 9
        StrCpy $0 $0 "" $1
        StrCpy $2 $0 1
        ${If} $2 == '"'
            StrCpy $0 $0 "" 1
        ${EndIf}
        ${StrLoc} $1 $0 '"' ">"
        ${If} $1 == ""
            ${StrLoc} $1 $0 " /" ">"
        ${EndIf}
        ${If} $1 != ""
            StrCpy $0 $0 $1
        ${EndIf}
        StrCpy $Vst2Dir $0
    ${EndIf}
FunctionEnd

Function SkipVst2Folder
    ${IfNot} ${SectionIsSelected} ${SecVst2}
        Abort
    ${EndIf}
FunctionEnd

Section "Uninstall"
    SetRegView 64
    ReadRegStr $Vst2Dir HKLM "${SETTINGS_KEY}" "Vst2Dir"
    ${If} $Vst2Dir != ""
        Delete "$Vst2Dir\BrisvaneZD8.dll"
        ; The folder goes too when it was ours alone.
        RMDir "$Vst2Dir"
    ${EndIf}
    RMDir /r "$COMMONFILES64\VST3\BrisvaneZD8.vst3"
    RMDir "$COMMONFILES64\VST3"
    SetShellVarContext all
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    SetShellVarContext current
    Delete "$INSTDIR\BrisvaneZD8.exe"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "Software\Brisvane"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
