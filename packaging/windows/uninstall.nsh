; The .vardo type goes with the program.
DeleteRegKey SHCTX "Software\Classes\Vardo.Calculation"
ReadRegStr $0 SHCTX "Software\Classes\.vardo" ""
StrCmp $0 "Vardo.Calculation" 0 +2
DeleteRegKey SHCTX "Software\Classes\.vardo"
System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
