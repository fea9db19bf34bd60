# Installs the libraries and headers as the CMake package VORBL:
#   find_package(VORBL CONFIG REQUIRED) gives VORBL::vorbl (and VORBL::platform off Windows).
# All of it is the `sdk` component, which the Windows SDK archive holds.
include(CMakePackageConfigHelpers)

set(VORBL_INSTALL_TARGETS)
if(TARGET vorbl)
  list(APPEND VORBL_INSTALL_TARGETS vorbl)
endif()
if(NOT WIN32)
  list(APPEND VORBL_INSTALL_TARGETS vorbl_platform)
endif()

install(TARGETS ${VORBL_INSTALL_TARGETS} EXPORT VORBLTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT sdk
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT sdk
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vorbl)
install(FILES package/vorbl.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vorbl COMPONENT sdk)
if(NOT WIN32)
  install(FILES platform/include/windows.h platform/include/headless_host.h
                platform/include/platform_object_counts.h
                platform/include/platform_display.h
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vorbl COMPONENT sdk)
endif()
install(EXPORT VORBLTargets NAMESPACE VORBL:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VORBL
        COMPONENT sdk)

configure_package_config_file(cmake/VORBLConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/VORBLConfig.cmake
                              INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VORBL)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/VORBLConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/VORBLConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/VORBLConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VORBL COMPONENT sdk)

# pkg-config files, so that `cc prog.c $(pkg-config --cflags --libs vorbl)` builds a program.
# They are written when the install runs, with the prefix it installs to (also a --prefix given
# to `cmake --install`, or the package's prefix when CPack installs), then installed.
if(NOT WIN32)
  foreach(pc_name vorbl vorbl-platform)
    install(CODE "
      set(VORBL_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
      set(VORBL_PC_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
      set(VORBL_PC_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
      set(VORBL_PC_VERSION \"${PROJECT_VERSION}\")
      configure_file(\"${PROJECT_SOURCE_DIR}/cmake/${pc_name}.pc.in\"
                     \"${PROJECT_BINARY_DIR}/${pc_name}.pc\" @ONLY)")
    install(FILES ${PROJECT_BINARY_DIR}/${pc_name}.pc
            DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT sdk)
  endforeach()
endif()

# The documents, laid out as in the repository so that their links and pictures work.
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT sdk)
install(FILES docs/programming-guide.md docs/wingfeast.png DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs
        COMPONENT sdk)
install(DIRECTORY docs/images DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs COMPONENT sdk)
