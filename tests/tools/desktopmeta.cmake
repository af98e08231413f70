# The desktop metadata as menus and software centres read it: the desktop entry the asset
# generator writes and the metainfo file the build writes, each through its own validator (Debian's
# desktop-file-utils and appstream). Errors, warnings and infos fail; AppStream's pedantic notes
# (the id's capitals) pass.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
add_test(NAME assetgen_desktop_entry_valid
  COMMAND "${DESKTOP_FILE_VALIDATE}" "${QUORL_DATA_DIR}/desktop/${QUORL_APP_ID}.desktop")
set_tests_properties(assetgen_desktop_entry_valid PROPERTIES LABELS assetgen FAIL_REGULAR_EXPRESSION ": (error|warning): ")
add_test(NAME metainfo_valid
  COMMAND "${APPSTREAMCLI}" validate --no-net --pedantic "${CMAKE_BINARY_DIR}/metainfo/${QUORL_APP_ID}.metainfo.xml")
set_tests_properties(metainfo_valid PROPERTIES LABELS metainfo FAIL_REGULAR_EXPRESSION "(^|\n)[EWI]: ")
