# One library per folder; sources are globbed (the folder and the subfolders
# named in SUBDIRS) so that adding a unit needs no edit of the build files. A
# folder without sources yet is a header-only target.
#
# The libraries are shared (KVR_SHARED_LIBS) so that a host, the Designer
# plugin and the suite hold one copy of each class: a form's editor made by the
# plugin is then the host's TKVREditor. LIBS are public, PRIVATE_LIBS stay
# inside the library (engines no public header names, so a host needs neither
# their headers nor their CMake packages).
#
# Every library is recorded in the global property KVR_LIBRARIES, and its
# folder in KVR_LIBRARY_DIRS: cmake/KvrInstall.cmake installs them all with
# their headers, so a new folder is installed from its first commit.
include(GNUInstallDirs)

function(kvr_add_library name)
  cmake_parse_arguments(ARG "" "" "LIBS;PRIVATE_LIBS;SUBDIRS" ${ARGN})
  set(_src_globs "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  set(_hdr_globs "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  foreach(_sub IN LISTS ARG_SUBDIRS)
    list(APPEND _src_globs "${CMAKE_CURRENT_SOURCE_DIR}/${_sub}/*.cpp")
    list(APPEND _hdr_globs "${CMAKE_CURRENT_SOURCE_DIR}/${_sub}/*.h")
  endforeach()
  file(GLOB _src CONFIGURE_DEPENDS ${_src_globs})
  file(GLOB _hdr CONFIGURE_DEPENDS ${_hdr_globs})
  if(_src)
    if(KVR_SHARED_LIBS)
      add_library(${name} SHARED ${_src} ${_hdr})
      # Installed side by side: each finds its neighbours beside itself. No
      # undefined symbols: a library links what it calls, so a host that
      # links one library gets a whole one.
      set_target_properties(${name} PROPERTIES
        VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR}
        INSTALL_RPATH "$ORIGIN")
      target_link_options(${name} PRIVATE "LINKER:--no-undefined")
    else()
      add_library(${name} STATIC ${_src} ${_hdr})
      # Linked into the Designer plugin, a shared module.
      set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    endif()
    target_include_directories(${name} PUBLIC "$<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>"
                                              "$<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/zorvel>")
    target_link_libraries(${name} PUBLIC ${ARG_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE "$<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>"
                                                 "$<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/zorvel>")
    target_link_libraries(${name} INTERFACE ${ARG_LIBS} ${ARG_PRIVATE_LIBS})
  endif()
  set_property(GLOBAL APPEND PROPERTY KVR_LIBRARIES ${name})
  set_property(GLOBAL APPEND PROPERTY KVR_LIBRARY_DIRS "${CMAKE_CURRENT_SOURCE_DIR}")
endfunction()
