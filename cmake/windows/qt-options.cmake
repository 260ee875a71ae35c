# The Qt for Windows that Vardo is built with: qtbase only, shared, release, and only what the
# program and its tests use (Core, Gui, Widgets, Print Support, Test). Every third-party library is
# Qt's bundled copy, so nothing of the build machine's own libraries leaks into the Windows build.
# Debian's source drops src/3rdparty/wintab, hence no tablet events. OpenGL stays on: Qt 6.4's
# Windows platform plugin does not build without it (qwindowswindow.cpp uses QOpenGLContext).
# scripts/windows keys its cache on this file: change it and Qt is built again.
set(CMAKE_BUILD_TYPE Release CACHE STRING "")
set(BUILD_SHARED_LIBS ON CACHE BOOL "")
set(QT_BUILD_EXAMPLES OFF CACHE BOOL "")
set(QT_BUILD_TESTS OFF CACHE BOOL "")
foreach(feature sql network dbus tabletevent vulkan icu xml
        system_zlib system_png system_jpeg system_freetype system_harfbuzz system_pcre2
        system_doubleconversion)
    set(FEATURE_${feature} OFF CACHE BOOL "")
endforeach()
