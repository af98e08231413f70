# The AppStream metainfo file and the screenshots it names. The screenshots are frames of
# committed demos replayed by the game itself (doc/screenshots.list), made by the `screenshots`
# target into BUILD/screenshots; the metainfo gives each as QUORL_SCREENSHOT_URL/PICTURE, where
# whoever publishes the game puts them.
# The application id: the metainfo's and the desktop entry's names, the icon's name and the window
# class (the asset generator writes the entry and icons under the same id).
set(QUORL_APP_ID "org.quorl.Quorl")
set(QUORL_SCREENSHOT_URL "https://quorl.example/screenshots" CACHE STRING
    "Web folder the software centres fetch the screenshots from (the default is a placeholder)")
# No licence has been granted for the game yet: the metainfo says so until one is chosen.
set(QUORL_PROJECT_LICENSE "LicenseRef-proprietary")

set(screenshot_list "${PROJECT_SOURCE_DIR}/doc/screenshots.list")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${screenshot_list}")
file(STRINGS "${screenshot_list}" screenshot_lines REGEX "^[^#]")
set(QUORL_METAINFO_SCREENSHOTS "")
set(QUORL_SCREENSHOT_FILES "")
set(screenshot_demos "")
set(screenshot_kind " type=\"default\"")
foreach(line ${screenshot_lines})
  if(NOT line MATCHES "^([^ ]+) +([0-9]+) +([^ ]+\\.png) +(.+)$")
    message(FATAL_ERROR "doc/screenshots.list: not DEMO FRAME PICTURE CAPTION: ${line}")
  endif()
  set(caption "${CMAKE_MATCH_4}")
  string(REPLACE "&" "&amp;" caption "${caption}")
  string(REPLACE "<" "&lt;" caption "${caption}")
  list(APPEND screenshot_demos "${CMAKE_MATCH_1}")
  list(APPEND QUORL_SCREENSHOT_FILES "${CMAKE_BINARY_DIR}/screenshots/${CMAKE_MATCH_3}")
  string(APPEND QUORL_METAINFO_SCREENSHOTS
    "    <screenshot${screenshot_kind}>\n"
    "      <caption>${caption}</caption>\n"
    "      <image type=\"source\" width=\"800\" height=\"600\">${QUORL_SCREENSHOT_URL}/${CMAKE_MATCH_3}</image>\n"
    "    </screenshot>\n")
  set(screenshot_kind "")
endforeach()
configure_file("${PROJECT_SOURCE_DIR}/doc/${QUORL_APP_ID}.metainfo.xml.in"
               "${CMAKE_BINARY_DIR}/metainfo/${QUORL_APP_ID}.metainfo.xml" @ONLY)

# Replays run the game under a virtual X server when there is no display; not part of the
# default build (`make install` makes them first).
set(screenshot_inputs "")
foreach(demo ${screenshot_demos})
  foreach(folder tests/demos tests/pictures)
    if(EXISTS "${PROJECT_SOURCE_DIR}/${folder}/${demo}.txt")
      list(APPEND screenshot_inputs "${PROJECT_SOURCE_DIR}/${folder}/${demo}.txt")
    endif()
  endforeach()
endforeach()
add_custom_command(OUTPUT ${QUORL_SCREENSHOT_FILES}
  COMMAND sh "${PROJECT_SOURCE_DIR}/tools/replay-pictures.sh" "$<TARGET_FILE:quorl>" "${QUORL_DATA_DIR}"
          "${CMAKE_BINARY_DIR}/screenshots" "${screenshot_list}"
  DEPENDS quorl "${screenshot_list}" "${PROJECT_SOURCE_DIR}/tools/replay-pictures.sh" ${screenshot_inputs}
  COMMENT "Taking the software centres' screenshots into ${CMAKE_BINARY_DIR}/screenshots"
  VERBATIM)
add_custom_target(screenshots DEPENDS ${QUORL_SCREENSHOT_FILES})
if(TARGET assets)
  add_dependencies(screenshots assets)
endif()
