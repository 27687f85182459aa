# Installs the build into a scratch prefix, builds the host program against the
# installed package alone and runs it, the Designer plugin found through
# QT_PLUGIN_PATH as the README tells. -D SOURCE_DIR, BUILD_DIR, HOST_DIR,
# WORK_DIR, SANITIZE, FORMS, QT_PLUGINS (Qt's plugin folder relative to a prefix).
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(rc)
  message(FATAL_ERROR "install failed: ${rc}")
endif()
# Every library the build made, as a target of the package and with each
# header of its folder.
include("${BUILD_DIR}/kvr-installed.cmake")
file(READ "${prefix}/${KVR_INSTALLED_PACKAGE}/ZorvelTargets.cmake" targets)
foreach(lib IN LISTS KVR_INSTALLED_LIBRARIES)
  string(FIND "${targets}" "add_library(Zorvel::${lib} " at)
  if(at EQUAL -1)
    message(FATAL_ERROR "Zorvel::${lib} is not installed")
  endif()
endforeach()
foreach(dir IN LISTS KVR_INSTALLED_DIRS)
  file(GLOB_RECURSE headers RELATIVE "${SOURCE_DIR}" "${dir}/*.h")
  foreach(header IN LISTS headers)
    if(NOT EXISTS "${prefix}/${KVR_INSTALLED_HEADERS}/${header}")
      message(FATAL_ERROR "${header} is not installed")
    endif()
  endforeach()
endforeach()

set(flags "")
if(SANITIZE)
  set(flags "-fsanitize=address,undefined")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -S "${HOST_DIR}" -B "${WORK_DIR}/build" -G Ninja
                        "-DCMAKE_PREFIX_PATH=${prefix}" "-DCMAKE_CXX_FLAGS=${flags}"
                        "-DCMAKE_EXE_LINKER_FLAGS=${flags}" "-DHOST_FORMS=${FORMS}"
                RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "configuring the host failed: ${rc}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${WORK_DIR}/build" RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "building the host failed: ${rc}")
endif()
set(ENV{QT_PLUGIN_PATH} "${prefix}/${QT_PLUGINS}")
file(MAKE_DIRECTORY "${WORK_DIR}/shots")
execute_process(COMMAND "${WORK_DIR}/build/zorvel_host" "${WORK_DIR}/shots" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "${out}${err}")
if(rc)
  message(FATAL_ERROR "the host failed: ${rc}")
endif()
