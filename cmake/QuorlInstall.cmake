# Installation: `cmake --install BUILD --prefix P` (or `make install PREFIX=P`) puts the program
# and the music library it loads from its own folder in P/bin, the content in P/share/quorl
# (where the installed program looks for it), the desktop entry and icon made by the asset
# generator, and the manual page.
install(TARGETS quorl RUNTIME DESTINATION bin)
install(TARGETS vbmp3 LIBRARY DESTINATION bin)
foreach(folder img model SE sounds)
  install(DIRECTORY "${QUORL_DATA_DIR}/${folder}" DESTINATION share/quorl)
endforeach()
install(FILES "${QUORL_DATA_DIR}/desktop/quorl.desktop" DESTINATION share/applications)
install(FILES "${QUORL_DATA_DIR}/desktop/quorl.png" DESTINATION share/icons/hicolor/128x128/apps)
install(FILES "${PROJECT_SOURCE_DIR}/doc/quorl.6" DESTINATION share/man/man6)
