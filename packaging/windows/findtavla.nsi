; The Windows installer of findTavla: the three programs with the Qt and
; MinGW runtime libraries they load, the samples and the licence texts, into
; Program Files; Start-menu entries; an uninstaller registered with Windows;
; and the common data folder every user of the machine may write to.
;
; Made by scripts/windows/make-installer.sh, which lays the files out under
; STAGE and writes uninstall-files.nsh (what to remove, deepest first):
;   makensis -DVERSION=1.0.0 -DSTAGE=<folder> -DOUTFILE=<setup.exe> findtavla.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!ifndef VERSION | STAGE | OUTFILE
  !error "VERSION, STAGE and OUTFILE must be defined"
!endif

!define PRODUCT "findTavla"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\findTavla"

Name "findTavla ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\findTavla"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "findTavla"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*"

  ; The catalogues and working files live in the common application-data
  ; folder; every user of the machine may change what is in it, so that a
  ; second user is not locked out of catalogues the first one made.
  ; (S-1-5-32-545 is the Users group whatever the language of Windows.)
  CreateDirectory "$APPDATA\findTavla"
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" "$APPDATA\findTavla" /grant *S-1-5-32-545:(OI)(CI)M'
  Pop $0
  DetailPrint "icacls: $0"

  CreateShortCut "$SMPROGRAMS\地籍データ検索.lnk" "$INSTDIR\findTavla.exe"
  CreateShortCut "$SMPROGRAMS\Tavla.lnk" "$INSTDIR\Tavla.exe"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "findTavla (地籍データ検索)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "findTavla developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\findTavla.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what the installer put there and nothing else: the users'
; catalogues (common application data) and settings (each user's
; application data) stay.
Section "Uninstall"
  Delete "$SMPROGRAMS\地籍データ検索.lnk"
  Delete "$SMPROGRAMS\Tavla.lnk"
  !include "${STAGE}/../uninstall-files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
