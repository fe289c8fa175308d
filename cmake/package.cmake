# The Debian package: `cpack -G DEB` in a Release build makes gre-wordlist_<version>_amd64.deb
# with every file under /usr and its library dependencies computed by dpkg-shlibdeps.
set(GRE_PACKAGE_MAINTAINER "GRE Wordlist maintainers <maintainers@grewordlist.example>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gre-wordlist)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal GRE vocabulary list with flash cards and tests")
# One string (several arguments to set() would make a list joined with ';'), in lines that fit
# the 80 columns of a package manager's display.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "GRE Wordlist keeps the words you collect while preparing for the GRE, each\n"
  "with a synonym, a usage sentence, the part of speech and notes, in one SQLite\n"
  "file in your documents folder. Find words by their beginning, number or date,\n"
  "change and delete them, walk them as flash cards, and take ten-question\n"
  "multiple-choice tests built from your own sentences and synonyms. The command\n"
  "line makes and restores backups, checks the file, and imports and exports\n"
  "CSV, tab-separated and Anki lists.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${GRE_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Plugins Qt loads at run time, which no linked library names: the window system integration
# (X11, Wayland) and the SVG engine that draws the window icon.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
# Fonts with the letter widths the windows were designed for.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")

include(CPack)
