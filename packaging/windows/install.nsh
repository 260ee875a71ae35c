; The .vardo type opens in Vardo and shows its icon (for every user when installed by an
; administrator: SHCTX follows SetShellVarContext).
WriteRegStr SHCTX "Software\Classes\.vardo" "" "Vardo.Calculation"
WriteRegStr SHCTX "Software\Classes\.vardo" "Content Type" "application/x-vardo-calculation"
WriteRegStr SHCTX "Software\Classes\Vardo.Calculation" "" "Расчет поперечины Vardo"
WriteRegStr SHCTX "Software\Classes\Vardo.Calculation\DefaultIcon" "" "$INSTDIR\vardo.exe,0"
WriteRegStr SHCTX "Software\Classes\Vardo.Calculation\shell\open\command" "" '"$INSTDIR\vardo.exe" "%1"'
System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
