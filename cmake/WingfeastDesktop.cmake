# The game in the desktop's application menu: a .desktop entry and the game's icon at the sizes
# desktops use, drawn at build time by the headless screenshot tool with the package's own
# drawing calls, installed into the hicolor icon theme. The entry's StartupWMClass is the window
# class the SDL host gives the game's windows (the program's name), so the desktop matches the
# running game to the entry; the SDL host also puts the installed icon into the windows' own
# properties (platform/src/host/program_icon.h), for window managers that read only those.
set(WINGFEAST_ICON_SIZES 16 32 48 64 128 256)

install(FILES ${PROJECT_SOURCE_DIR}/game/desktop/wingfeast.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)

if(NOT TARGET wingfeast_screenshot)
  message(STATUS "Wingfeast's icons need the tools (VORBL_BUILD_TOOLS=ON); not installed")
  return()
endif()

set(icon_files)
foreach(size IN LISTS WINGFEAST_ICON_SIZES)
  set(icon ${PROJECT_BINARY_DIR}/icons/${size}x${size}/wingfeast.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
    # In the sanitizer build the tool runs under the leak checker: the same list of library
    # leaks as the tests' applies (fontconfig's configuration), or the build step would fail.
    COMMAND ${CMAKE_COMMAND} -E env
            LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan-suppressions.txt
            $<TARGET_FILE:wingfeast_screenshot> --icon ${size} ${icon}
    DEPENDS wingfeast_screenshot
    COMMENT "Drawing Wingfeast's ${size}x${size} icon"
    VERBATIM)
  list(APPEND icon_files ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(wingfeast_icons ALL DEPENDS ${icon_files})
