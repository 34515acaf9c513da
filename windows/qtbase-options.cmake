# SPDX-License-Identifier: MIT
# The static Qt for Windows that velmora.exe links (`cmake -C` initial cache for qtbase).
# Only what the window uses stays: Core, Gui, Widgets, the windows and offscreen platforms,
# the native Windows style, and Test for the window suites. Accessibility and input method
# support stay on: screen readers and Windows input methods talk to the window through them.
set(BUILD_SHARED_LIBS OFF CACHE BOOL "")
set(CMAKE_BUILD_TYPE Release CACHE STRING "")
set(QT_BUILD_EXAMPLES OFF CACHE BOOL "")
set(QT_BUILD_TESTS OFF CACHE BOOL "")
set(FEATURE_optimize_size ON CACHE BOOL "")
# One section per function, so the program's link drops whatever it never calls.
set(FEATURE_gc_binaries ON CACHE BOOL "")
set(FEATURE_static_runtime ON CACHE BOOL "")
set(FEATURE_accessibility ON CACHE BOOL "")

foreach(unused
    # Modules the program never loads.
    network sql printsupport dbus xml concurrent opengl vulkan
    # Graphics back ends and formats: the window is drawn with the raster engine and its
    # icons are PNGs.
    opengles2 opengles3 opengles31 opengles32 jpeg gif ico
    # Text and input services the window has no use for.
    icu tabletevent textodfwriter textmarkdownreader textmarkdownwriter pdf
    # Widgets the window never shows.
    filedialog colordialog fontdialog fontcombobox wizard calendarwidget datetimeedit dial
    lcdnumber mdiarea systemtrayicon undocommand undostack undogroup undoview graphicsview)
  set(FEATURE_${unused} OFF CACHE BOOL "")
endforeach()
set(INPUT_opengl no CACHE STRING "")
