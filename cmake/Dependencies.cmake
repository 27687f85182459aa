find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets PrintSupport Network Concurrent Test)
find_package(nlohmann_json REQUIRED)
include("${CMAKE_CURRENT_LIST_DIR}/KvrEngines.cmake")
