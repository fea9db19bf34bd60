# How the browser pages' fonts are cut down (web/CMakeLists.txt does it; a test in tests/ checks
# that the cut fonts draw every character as the whole ones do). Each bundled font keeps only the
# characters the package can draw: text is Windows-1252 bytes (platform/src/core/
# codepage_1252.cpp), so U+0000..U+00FF (the bytes Windows-1252 leaves undefined map to their C1
# controls there) and the 27 characters of 0x80..0x9F; the platform draws nothing else (check
# marks and arrows are lines). Everything that decides pixels stays: outlines, hinting
# instructions and tables, metrics and bounding boxes as they were (not recalculated), the
# missing-glyph box; the legacy kerning table stays too. Dropped: the OpenType layout tables
# (the platform places glyphs by their advances and shapes nothing), FontForge's time stamps
# and the names of glyphs. The options are pyftsubset's (Debian's fonttools).
set(VORBL_PAGE_CHARACTERS
  "U+0000-00FF,U+0152,U+0153,U+0160,U+0161,U+0178,U+017D,U+017E,U+0192,U+02C6,U+02DC,U+2013,U+2014,U+2018,U+2019,U+201A,U+201C,U+201D,U+201E,U+2020,U+2021,U+2022,U+2026,U+2030,U+2039,U+203A,U+20AC,U+2122")
set(VORBL_PAGE_FONT_SUBSET_OPTIONS
  --unicodes=${VORBL_PAGE_CHARACTERS} --notdef-glyph --notdef-outline --legacy-kern
  --drop-tables+=GSUB,GPOS,GDEF,FFTM --no-glyph-names)
