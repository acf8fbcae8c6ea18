; A small real installer for the Wine suite: installs nothing but its uninstaller and
; registers itself machine-wide, 64-bit (Debian's nsis has the amd64 stubs; a Wine without
; its 32-bit part runs no 32-bit program). Its uninstaller works as every NSIS uninstaller
; does: it copies itself to the temporary folder, starts the copy and exits at once; the copy waits
; a moment before it removes the registration, so that a caller that waited only for the
; first process sees the program still registered.
Target amd64-unicode
!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuillmarkNotes"
Name "Quillmark Notes"
OutFile "${OUT}"
InstallDir "$PROGRAMFILES64\Quillmark Notes"
RequestExecutionLevel admin
SilentInstall silent
SilentUnInstall silent

Section
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninst.exe"
    WriteRegStr HKLM "${KEY}" "DisplayName" "Quillmark Notes"
    WriteRegStr HKLM "${KEY}" "UninstallString" '"$INSTDIR\uninst.exe"'
    WriteRegStr HKLM "${KEY}" "QuietUninstallString" '"$INSTDIR\uninst.exe" /S'
    WriteRegStr HKLM "${KEY}" "InstallLocation" "$INSTDIR"
SectionEnd

Section "Uninstall"
    Sleep 1500
    DeleteRegKey HKLM "${KEY}"
    Delete "$INSTDIR\uninst.exe"
    RMDir "$INSTDIR"
SectionEnd
