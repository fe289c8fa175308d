# What `cmake --install` puts on the system, in the usual places under the prefix: the program,
# its desktop entry, its icon, its AppStream metadata and its manual page.
include(GNUInstallDirs)

# `make install` and `cpack` install what was built (the program: `--target gre-wordlist`)
# rather than first building every test and the benchmark.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(gre_data ${CMAKE_CURRENT_SOURCE_DIR}/data)
set(gre_generated ${CMAKE_CURRENT_BINARY_DIR}/data)

install(TARGETS gre-wordlist RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${gre_data}/${GRE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${gre_data}/${GRE_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The metadata and the manual page carry the project's version and release date.
configure_file(${gre_data}/${GRE_APP_ID}.metainfo.xml.in
               ${gre_generated}/${GRE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${gre_generated}/${GRE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

configure_file(${gre_data}/gre-wordlist.1.in ${gre_generated}/gre-wordlist.1 @ONLY)
# Manual pages are installed compressed, as man-db and Debian expect.
file(ARCHIVE_CREATE OUTPUT ${gre_generated}/gre-wordlist.1.gz
     PATHS ${gre_generated}/gre-wordlist.1 FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
install(FILES ${gre_generated}/gre-wordlist.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
