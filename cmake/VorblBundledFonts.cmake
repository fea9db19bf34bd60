# The font files a browser page bundles: the faces the package and the platform ask for, from
# Debian's fonts-dejavu-core and fonts-liberation2, relative to VORBL_FONT_SOURCE_DIR and kept
# in the same layout below /fonts in the page's file system. The face table that uses them is
# platform/src/gdi/bundled_fonts.cpp; a test checks that the two name the same files.
set(VORBL_FONT_SOURCE_DIR /usr/share/fonts/truetype
    CACHE PATH "Where Debian's font packages put their TrueType files")
set(VORBL_BUNDLED_FONTS
  dejavu/DejaVuSans.ttf
  dejavu/DejaVuSans-Bold.ttf
  dejavu/DejaVuSansMono.ttf
  dejavu/DejaVuSansMono-Bold.ttf
  liberation2/LiberationSans-Regular.ttf
  liberation2/LiberationSans-Bold.ttf)
