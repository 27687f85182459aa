# One static library per folder; sources are globbed (the folder and the
# subfolders named in SUBDIRS) so that adding a unit needs no edit of the build
# files. A folder without sources yet is a header-only target.
function(kvr_add_library name)
  cmake_parse_arguments(ARG "" "" "LIBS;SUBDIRS" ${ARGN})
  set(_src_globs "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  set(_hdr_globs "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  foreach(_sub IN LISTS ARG_SUBDIRS)
    list(APPEND _src_globs "${CMAKE_CURRENT_SOURCE_DIR}/${_sub}/*.cpp")
    list(APPEND _hdr_globs "${CMAKE_CURRENT_SOURCE_DIR}/${_sub}/*.h")
  endforeach()
  file(GLOB _src CONFIGURE_DEPENDS ${_src_globs})
  file(GLOB _hdr CONFIGURE_DEPENDS ${_hdr_globs})
  if(_src)
    add_library(${name} STATIC ${_src} ${_hdr})
    # Linked into the Designer plugin, a shared module.
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_include_directories(${name} PUBLIC "$<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>"
                                              "$<INSTALL_INTERFACE:include/zorvel>")
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE "$<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>"
                                                 "$<INSTALL_INTERFACE:include/zorvel>")
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
  endif()
endfunction()
