# The game's icon in the Windows executable's resources. The icon is drawn by the package's own
# drawing calls, as the desktop's icons are, by the screenshot tool; that tool runs on the build
# machine, so a cross build needs a native one: WINGFEAST_ICON_TOOL names an existing one (CI
# passes the dev build's), otherwise a native build of the tool alone is made inside this build
# directory (native-tool/, with the host's compiler and the desktop's dependencies).
set(WINGFEAST_ICON_TOOL "" CACHE FILEPATH
    "A native wingfeast_screenshot that draws the Windows icon (built here when empty)")

if(WINGFEAST_ICON_TOOL)
  set(icon_tool ${WINGFEAST_ICON_TOOL})
  set(icon_tool_target)
else()
  include(ExternalProject)
  set(native_dir ${PROJECT_BINARY_DIR}/native-tool)
  set(icon_tool ${native_dir}/tools/wingfeast_screenshot)
  set(launchers)
  if(CMAKE_CXX_COMPILER_LAUNCHER)
    list(APPEND launchers -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
         -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER})
  endif()
  ExternalProject_Add(wingfeast_native_icon_tool
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${native_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DVORBL_BUILD_TESTS=OFF -DVORBL_BUILD_BENCHMARKS=OFF
               -DVORBL_BUILD_EXAMPLES=OFF ${launchers}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${native_dir} --target wingfeast_screenshot
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${icon_tool})
  set(icon_tool_target wingfeast_native_icon_tool)
endif()

set(WINGFEAST_ICO ${PROJECT_BINARY_DIR}/wingfeast.ico)
add_custom_command(OUTPUT ${WINGFEAST_ICO}
  COMMAND ${icon_tool} --ico ${WINGFEAST_ICO}
  DEPENDS ${icon_tool_target} ${icon_tool}
  COMMENT "Drawing Wingfeast's Windows icon (16 to 256 pixels)"
  VERBATIM)
add_custom_target(wingfeast_windows_icon DEPENDS ${WINGFEAST_ICO})

enable_language(RC)
configure_file(${PROJECT_SOURCE_DIR}/game/windows/wingfeast.rc.in
               ${PROJECT_BINARY_DIR}/wingfeast.rc @ONLY)
target_sources(wingfeast PRIVATE ${PROJECT_BINARY_DIR}/wingfeast.rc)
set_source_files_properties(${PROJECT_BINARY_DIR}/wingfeast.rc PROPERTIES
                            OBJECT_DEPENDS ${WINGFEAST_ICO})
add_dependencies(wingfeast wingfeast_windows_icon)
