# SPDX-License-Identifier: MIT
# The faces the Linux window draws in and the Debian packages that bring them, from the list
# of what a build by hand needs (by-hand-packages.txt): VELMORA_WINDOW_FONTS ("face=package"
# each) and VELMORA_FONT_PACKAGES. Configure warns, naming the package, for each face that
# fontconfig does not know: the program runs without it, but its captions do not fit.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/by-hand-packages.txt font_lines REGEX "^font: ")
set(VELMORA_WINDOW_FONTS)
set(VELMORA_FONT_PACKAGES)
foreach(line IN LISTS font_lines)
  string(REGEX REPLACE "^font: (.*) = (.*)$" "\\1=\\2" face_package "${line}")
  string(REGEX REPLACE "^font: .* = " "" package "${line}")
  list(APPEND VELMORA_WINDOW_FONTS "${face_package}")
  list(APPEND VELMORA_FONT_PACKAGES "${package}")
endforeach()

find_program(VELMORA_FC_LIST fc-list)
if(NOT VELMORA_FC_LIST)
  string(JOIN " " packages ${VELMORA_FONT_PACKAGES})
  message(WARNING "Cannot look for the window's fonts without fontconfig's fc-list (Debian's "
    "fontconfig). The window draws in the fonts of ${packages}.")
else()
  set(missing)
  foreach(face_package IN LISTS VELMORA_WINDOW_FONTS)
    string(REGEX REPLACE "=.*" "" face "${face_package}")
    string(REGEX REPLACE ".*=" "" package "${face_package}")
    execute_process(COMMAND ${VELMORA_FC_LIST} ":family=${face}" family
      OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(found STREQUAL "")
      list(APPEND missing "${face} (Debian's ${package})")
    endif()
  endforeach()
  if(missing)
    string(JOIN ", " missing ${missing})
    message(WARNING "The window's fonts are missing: ${missing}. The program runs without "
      "them, but its captions then need more room than the design gives them, and the "
      "window's suite fails where they do.")
  endif()
endif()
