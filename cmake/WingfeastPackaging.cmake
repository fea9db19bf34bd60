# A Debian package of everything the project installs: the game, its desktop entry and icons,
# the package's static libraries, headers, CMake and pkg-config files, the examples' sources and
# the documents. `cpack -G DEB` in a build directory (the release build) writes
# wingfeast_<version>_<architecture>.deb, which `apt-get install ./wingfeast_*.deb` installs.
#
# Dependencies: dpkg-shlibdeps works out the shared libraries the game needs (SDL2, Xlib,
# FreeType, Fontconfig, libpng, the C and C++ runtimes); the fonts the text is drawn in are named
# here. What a program built on the installed package also needs (a compiler, pkg-config and the
# development files of the package's dependencies) is recommended, so a player is not made to
# install it. Building the package needs dpkg-dev (dpkg-shlibdeps) and file.
set(CPACK_PACKAGE_NAME wingfeast)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Wingfeast developers")
# No maintainer address is published; the reserved .invalid domain says so instead of inventing one.
set(CPACK_PACKAGE_CONTACT "The Wingfeast developers <wingfeast@maintainers.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "arcade game of butterflies at night, and the VORBL graphics-and-events package")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Wingfeast is a small arcade game: steer a magenta butterfly over a night landscape
and eat the black ones. It runs on the VORBL package, which this package also
holds for other programs: a 601 x 540 canvas with drawing calls in 24 colours
that correct bad arguments, one blocking event wait, a text window for
messages, a Run menu that animates, steps, logs, records and plays scripts.
Static libraries, headers, CMake and pkg-config files, four example programs,
a programming guide and vorbl-check, which runs programs on the package
without a screen against recorded cases (for tests, CI and grading), are
included.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "g++, pkg-config, libsdl2-dev, libx11-dev, libfreetype-dev, libfontconfig-dev, libpng-dev")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Install with DESTDIR, so that files written at install time (the pkg-config files) see the
# package's prefix, /usr, rather than CPack's staging directory.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
include(CPack)
