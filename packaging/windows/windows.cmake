# Vardo for Windows is one folder: the programs beside the libraries they load and the files they
# look up by bare name, so that the installed program and an unpacked zip both run from anywhere.
#   vardo.exe, vardo-report.exe, Qt's and the compiler's DLLs, zlib1.dll, qt.conf
#   platforms/qwindows.dll, styles/qwindowsvistastyle.dll, imageformats/qico.dll (the .CUR pointer)
#   translations/qtbase_ru.qm   Qt's own texts in Russian (the host's qt6-translations-l10n)
#   the sample workbooks, 32761.CUR, help.html, vardo.ico, README.md, README.tables.md
# cpack -G NSIS: the installer (Start menu entries for Vardo and its help, .vardo files open in
# Vardo with its icon, an uninstaller, /S installs silently); cpack -G ZIP: the portable zip.
install(TARGETS vardo vardo-report RUNTIME DESTINATION .)
install(FILES ${sample_workbooks} ${PROJECT_SOURCE_DIR}/data/32761.CUR
              ${PROJECT_SOURCE_DIR}/data/help.html ${CMAKE_CURRENT_SOURCE_DIR}/icons/vardo.ico
              ${CMAKE_CURRENT_SOURCE_DIR}/windows/qt.conf ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/data/README.md DESTINATION . RENAME README.tables.md)

# What the programs load: there is no windeployqt for this Qt, so the files are named here.
foreach(module Core Gui Widgets PrintSupport)
    install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION .)
endforeach()
foreach(plugin platforms:QWindowsIntegrationPlugin styles:QWindowsVistaStylePlugin
               imageformats:QICOPlugin)
    string(REPLACE ":" ";" plugin ${plugin})
    list(GET plugin 0 folder)
    list(GET plugin 1 target)
    if(NOT TARGET Qt6::${target})
        message(FATAL_ERROR "Qt for Windows has no plugin ${target}")
    endif()
    install(FILES $<TARGET_FILE:Qt6::${target}> DESTINATION ${folder})
endforeach()
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll zlib1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}")
        message(FATAL_ERROR "${dll} of the MinGW-w64 toolchain not found")
    endif()
    install(FILES ${path} DESTINATION .)
endforeach()
find_file(VARDO_QT_RUSSIAN qtbase_ru.qm PATHS ${QT_HOST_PATH}/share/qt6/translations
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
install(FILES ${VARDO_QT_RUSSIAN} DESTINATION translations)

if(NOT PROJECT_IS_TOP_LEVEL)
    return()
endif()
set(CPACK_PACKAGE_NAME Vardo)
set(CPACK_PACKAGE_VENDOR Vardo)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Расчет жестких поперечин")
set(CPACK_PACKAGE_FILE_NAME Vardo-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Vardo)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Vardo)
# A 64-bit Unicode installer: the default 32-bit one does not start under 64-bit-only Wine.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME Vardo)
set(CPACK_NSIS_PACKAGE_NAME Vardo)
set(CPACK_NSIS_MUI_ICON ${CMAKE_CURRENT_SOURCE_DIR}/icons/vardo.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_CURRENT_SOURCE_DIR}/icons/vardo.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME vardo.exe)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_EXECUTABLES vardo Vardo)
set(CPACK_NSIS_MENU_LINKS help.html "Справка Vardo")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The .vardo type: registered on install, removed on uninstall.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "!include '${CMAKE_CURRENT_SOURCE_DIR}/windows/install.nsh'")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
    "!include '${CMAKE_CURRENT_SOURCE_DIR}/windows/uninstall.nsh'")
set(CPACK_GENERATOR NSIS ZIP)
include(CPack)
