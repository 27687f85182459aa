# cmake --install: the libraries, their headers (include/zorvel, paths as in the
# source tree), a CMake package "Zorvel" whose targets are Zorvel::kvr_<folder>,
# and the Designer plugin where Designer looks for plugins.
include(CMakePackageConfigHelpers)
set(_kvr_libs kvr_rtl kvr_skia kvr_fmx kvr_render kvr_elements kvr_import kvr_document kvr_editor kvr_inspector)
install(TARGETS ${_kvr_libs} EXPORT ZorvelTargets ARCHIVE DESTINATION lib)
foreach(_dir platform render elements import document editor inspector)
  install(DIRECTORY "${PROJECT_SOURCE_DIR}/${_dir}/" DESTINATION "include/zorvel/${_dir}"
          FILES_MATCHING PATTERN "*.h")
endforeach()
install(EXPORT ZorvelTargets NAMESPACE Zorvel:: DESTINATION lib/cmake/Zorvel)
configure_package_config_file("${PROJECT_SOURCE_DIR}/cmake/ZorvelConfig.cmake.in"
  "${PROJECT_BINARY_DIR}/ZorvelConfig.cmake" INSTALL_DESTINATION lib/cmake/Zorvel)
install(FILES "${PROJECT_BINARY_DIR}/ZorvelConfig.cmake" DESTINATION lib/cmake/Zorvel)
if(TARGET kvr_designer)
  install(TARGETS kvr_designer LIBRARY DESTINATION "${QT6_INSTALL_PLUGINS}/designer")
endif()
