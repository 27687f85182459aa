# Every installed header compiled alone: one generated source per header that
# includes only it, built as an object library outside the default build. A
# header that leans on what its includers happened to include first fails here,
# as it fails a host (or a form compiled by uic) that includes only it.
get_property(_kvr_dirs GLOBAL PROPERTY KVR_LIBRARY_DIRS)
set(_alone_dir "${CMAKE_CURRENT_BINARY_DIR}/headers-alone")
set(_alone_src)
foreach(_dir IN LISTS _kvr_dirs)
  file(GLOB_RECURSE _hdrs CONFIGURE_DEPENDS RELATIVE "${PROJECT_SOURCE_DIR}" "${_dir}/*.h")
  foreach(_hdr IN LISTS _hdrs)
    string(MAKE_C_IDENTIFIER "${_hdr}" _id)
    set(_cpp "${_alone_dir}/${_id}.cpp")
    set(_text "#include \"${_hdr}\"\n")
    if(EXISTS "${_cpp}")
      file(READ "${_cpp}" _old)
    else()
      set(_old "")
    endif()
    if(NOT _old STREQUAL _text)
      file(WRITE "${_cpp}" "${_text}")
    endif()
    list(APPEND _alone_src "${_cpp}")
  endforeach()
endforeach()
add_library(kvr_headers_alone OBJECT EXCLUDE_FROM_ALL ${_alone_src})
# The outside packages only, not the suite's own targets: linking those would
# make this build (which runs as a test) relink libraries that other tests
# have loaded.
target_include_directories(kvr_headers_alone PRIVATE "${PROJECT_SOURCE_DIR}")
target_link_libraries(kvr_headers_alone PRIVATE Qt6::Widgets Qt6::PrintSupport Qt6::Network Qt6::Concurrent
                                                nlohmann_json::nlohmann_json)
# Headers need no moc to compile; the generated sources name no Q_OBJECT class.
set_target_properties(kvr_headers_alone PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
add_test(NAME headers_compile_alone
  COMMAND "${CMAKE_COMMAND}" --build "${CMAKE_BINARY_DIR}" --target kvr_headers_alone --parallel 4)
set_tests_properties(headers_compile_alone PROPERTIES TIMEOUT 1800)
