# cmake --install: every library kvr_add_library made, with the headers of its
# folder (include/zorvel, paths as in the source tree), a versioned CMake
# package "Zorvel" whose targets are Zorvel::kvr_<folder>, and the Designer
# plugin where Designer looks for plugins.
#
# The list is read once the whole tree is configured, so a library added
# anywhere in it is installed without an edit here.
include(CMakePackageConfigHelpers)
include(GNUInstallDirs)

set(KVR_PACKAGE_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/Zorvel")

function(kvr_install_package)
  get_property(_libs GLOBAL PROPERTY KVR_LIBRARIES)
  get_property(_dirs GLOBAL PROPERTY KVR_LIBRARY_DIRS)
  install(TARGETS ${_libs} EXPORT ZorvelTargets
          LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}"
          ARCHIVE DESTINATION "${CMAKE_INSTALL_LIBDIR}")
  foreach(_dir IN LISTS _dirs)
    file(GLOB_RECURSE _hdrs CONFIGURE_DEPENDS RELATIVE "${PROJECT_SOURCE_DIR}" "${_dir}/*.h")
    foreach(_hdr IN LISTS _hdrs)
      get_filename_component(_sub "${_hdr}" DIRECTORY)
      install(FILES "${PROJECT_SOURCE_DIR}/${_hdr}" DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/zorvel/${_sub}")
    endforeach()
  endforeach()
  install(EXPORT ZorvelTargets NAMESPACE Zorvel:: DESTINATION "${KVR_PACKAGE_DIR}")
  # What was installed, for the test that builds a host on it.
  file(WRITE "${PROJECT_BINARY_DIR}/kvr-installed.cmake"
       "set(KVR_INSTALLED_LIBRARIES \"${_libs}\")\nset(KVR_INSTALLED_DIRS \"${_dirs}\")\n"
       "set(KVR_INSTALLED_PACKAGE \"${KVR_PACKAGE_DIR}\")\n"
       "set(KVR_INSTALLED_HEADERS \"${CMAKE_INSTALL_INCLUDEDIR}/zorvel\")\n")

  # A static build passes its engines on to the host's link: the package must
  # find them too.
  if(KVR_SHARED_LIBS)
    set(KVR_PACKAGE_STATIC OFF)
  else()
    set(KVR_PACKAGE_STATIC ON)
  endif()
  configure_package_config_file("${PROJECT_SOURCE_DIR}/cmake/ZorvelConfig.cmake.in"
    "${PROJECT_BINARY_DIR}/ZorvelConfig.cmake" INSTALL_DESTINATION "${KVR_PACKAGE_DIR}")
  write_basic_package_version_file("${PROJECT_BINARY_DIR}/ZorvelConfigVersion.cmake"
    VERSION "${PROJECT_VERSION}" COMPATIBILITY SameMajorVersion)
  install(FILES "${PROJECT_BINARY_DIR}/ZorvelConfig.cmake" "${PROJECT_BINARY_DIR}/ZorvelConfigVersion.cmake"
                "${PROJECT_SOURCE_DIR}/cmake/KvrEngines.cmake"
          DESTINATION "${KVR_PACKAGE_DIR}")

  if(TARGET kvr_designer)
    # Installed under Qt's plugin folder relative to the prefix: with the
    # prefix Qt was installed to (/usr), Designer finds it without help.
    set(_plugin_dir "${QT6_INSTALL_PLUGINS}/designer")
    file(RELATIVE_PATH _to_libs "/${_plugin_dir}" "/${CMAKE_INSTALL_LIBDIR}")
    set_target_properties(kvr_designer PROPERTIES INSTALL_RPATH "$ORIGIN/${_to_libs}")
    install(TARGETS kvr_designer LIBRARY DESTINATION "${_plugin_dir}")
  endif()
endfunction()

cmake_language(DEFER DIRECTORY "${PROJECT_SOURCE_DIR}" CALL kvr_install_package)
