# Installation: `cmake --install BUILD --prefix P` (or `make install PREFIX=P`) puts the program
# and the music library it loads from its own folder in P/bin, the content in P/share/quorl
# (where the installed program looks for it), the desktop entry and icons made by the asset
# generator, the metainfo file with its screenshots, and the manual page; all named by the
# application id (QuorlMetainfo.cmake).
include("${CMAKE_CURRENT_LIST_DIR}/QuorlMetainfo.cmake")
install(TARGETS quorl RUNTIME DESTINATION bin)
install(TARGETS vbmp3 LIBRARY DESTINATION bin)
foreach(folder img model SE sounds)
  install(DIRECTORY "${QUORL_DATA_DIR}/${folder}" DESTINATION share/quorl)
endforeach()
install(FILES "${QUORL_DATA_DIR}/desktop/${QUORL_APP_ID}.desktop" DESTINATION share/applications)
foreach(size 48 64 128 256)
  install(FILES "${QUORL_DATA_DIR}/desktop/icons/${size}x${size}/${QUORL_APP_ID}.png"
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES "${CMAKE_BINARY_DIR}/metainfo/${QUORL_APP_ID}.metainfo.xml" DESTINATION share/metainfo)
# For whoever publishes them at QUORL_SCREENSHOT_URL; left out when the `screenshots` target has
# not run (`make install` runs it).
install(FILES ${QUORL_SCREENSHOT_FILES} DESTINATION share/doc/quorl/screenshots OPTIONAL)
install(FILES "${PROJECT_SOURCE_DIR}/doc/quorl.6" DESTINATION share/man/man6)
