# The platform's own font files: every face its table chooses, from Debian's fonts-dejavu-core
# and fonts-liberation2, relative to VORBL_FONT_SOURCE_DIR. The desktop looks for them there
# first; a browser page bundles them in the same layout below /fonts in its file system. The
# face table is platform/src/gdi/bundled_fonts.cpp; a test checks that the two name the same
# files.
set(VORBL_FONT_SOURCE_DIR /usr/share/fonts/truetype
    CACHE PATH "Where Debian's font packages put their TrueType files")
set(VORBL_BUNDLED_FONTS
  dejavu/DejaVuSans.ttf
  dejavu/DejaVuSans-Bold.ttf
  dejavu/DejaVuSansMono.ttf
  dejavu/DejaVuSansMono-Bold.ttf
  liberation2/LiberationSans-Regular.ttf
  liberation2/LiberationSans-Bold.ttf
  liberation2/LiberationSerif-Regular.ttf
  liberation2/LiberationSerif-Bold.ttf
  liberation2/LiberationMono-Regular.ttf
  liberation2/LiberationMono-Bold.ttf)
