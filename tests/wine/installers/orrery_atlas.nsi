; A small real installer for the Wine suite, registered for the current user only: installs
; nothing but its uninstaller, in the user's own folder, without administrator rights. Its
; uninstaller run without /S asks first, in a box of its own, as a program's own uninstaller
; does; with /S (its QuietUninstallString) it asks nothing.
Target amd64-unicode
!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\OrreryAtlas"
Name "Orrery Atlas"
OutFile "${OUT}"
InstallDir "$LOCALAPPDATA\Orrery Atlas"
RequestExecutionLevel user
SilentInstall silent
SilentUnInstall normal
UninstallCaption "Orrery Atlas Uninstall"

Section
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninst.exe"
    WriteRegStr HKCU "${KEY}" "DisplayName" "Orrery Atlas"
    WriteRegStr HKCU "${KEY}" "UninstallString" '"$INSTDIR\uninst.exe"'
    WriteRegStr HKCU "${KEY}" "QuietUninstallString" '"$INSTDIR\uninst.exe" /S'
    WriteRegStr HKCU "${KEY}" "InstallLocation" "$INSTDIR"
SectionEnd

Function un.onInit
    IfSilent done
    MessageBox MB_OKCANCEL "Remove Orrery Atlas from this computer?" IDOK yes
    Abort
yes:
    SetSilent silent
done:
FunctionEnd

Section "Uninstall"
    DeleteRegKey HKCU "${KEY}"
    Delete "$INSTDIR\uninst.exe"
    RMDir "$INSTDIR"
SectionEnd
