# `make package`: a Debian package of what cmake/Install.cmake lays out, under /usr.
# The shared libraries the programs link are found by dpkg-shlibdeps (dpkg-dev), so the
# package depends on exactly the Qt, libjpeg and C++ runtime packages this build used.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorbinet)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Zorbinet developers")
set(CPACK_PACKAGE_CONTACT "The Zorbinet developers <zorbinet@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "dice game for one to four players, with chat and spectators")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A turn is up to three rolls of five dice, holding dice between the rolls, scored in one of\n"
    "twelve categories of a score card. Play solo against computer players, or host and join\n"
    "games over TCP, with chat, spectators, team and bonus dice games and a tally of results.\n"
    "zorbinet-host runs the game host without a window, for bot matches and automated play.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/zorbinet/zorbinet)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the window system and audio back ends as plugins, which dpkg-shlibdeps cannot see;
# on Debian 12 they come with libqt6gui6 and libqt6multimedia6, which the libraries pull in.
# Text needs a font; the table is laid out for DejaVu.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)
