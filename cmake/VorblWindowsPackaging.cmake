# The two Windows archives, written by `cpack -G ZIP` in the mingw build directory:
#   wingfeast-<version>-windows.zip       the game: wingfeast.exe (static, its icon in its
#                                         resources) and README.txt, the README's playing part;
#   vorbl-sdk-<version>-mingw-w64.zip     the SDK for MinGW-w64: vorbl.h, libvorbl.a, the CMake
#                                         package, a pkg-config file, the examples' sources with
#                                         a Makefile, a CMakeLists.txt and a toolchain file for
#                                         cross builds, the README and the programming guide.
# The files lie at the top of each archive. The SDK's files are the `sdk` component
# (cmake/VorblInstall.cmake installs most of them), the game's the `game` component.

# The playing part, as Windows' Notepad shows it: plain text with CR LF line ends.
set(playing_text ${PROJECT_BINARY_DIR}/README.txt)
add_custom_command(OUTPUT ${playing_text}
  COMMAND ${CMAKE_COMMAND} -DREADME=${PROJECT_SOURCE_DIR}/README.md -DOUTPUT=${playing_text}
          -P ${PROJECT_SOURCE_DIR}/cmake/PlayingText.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/cmake/PlayingText.cmake
  COMMENT "Writing the game's README.txt from the README's playing part"
  VERBATIM)
add_custom_target(wingfeast_playing_text ALL DEPENDS ${playing_text})
install(FILES ${playing_text} DESTINATION . COMPONENT game)

# The SDK's pkg-config file finds its prefix from its own place (${pcfiledir}).
configure_file(${PROJECT_SOURCE_DIR}/cmake/vorbl-mingw.pc.in ${PROJECT_BINARY_DIR}/vorbl.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vorbl.pc DESTINATION lib/pkgconfig COMPONENT sdk)
set(examples static_picture bouncing_ball click_and_type record_and_play)
list(TRANSFORM examples APPEND .c)
list(TRANSFORM examples PREPEND ${PROJECT_SOURCE_DIR}/examples/)
install(FILES ${examples} ${PROJECT_SOURCE_DIR}/examples/windows-sdk/Makefile
              ${PROJECT_SOURCE_DIR}/examples/windows-sdk/CMakeLists.txt
              ${PROJECT_SOURCE_DIR}/cmake/mingw-w64.cmake
        DESTINATION examples COMPONENT sdk)

set(CPACK_PACKAGE_NAME wingfeast)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Wingfeast developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "arcade game of butterflies at night, and the VORBL graphics-and-events package")
set(CPACK_GENERATOR ZIP)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game sdk)
set(CPACK_ARCHIVE_GAME_FILE_NAME wingfeast-${PROJECT_VERSION}-windows)
set(CPACK_ARCHIVE_SDK_FILE_NAME vorbl-sdk-${PROJECT_VERSION}-mingw-w64)
set(CPACK_STRIP_FILES ON)
# No top folder: Explorer's "Extract All" makes one of the archive's name, and so does CI.
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
