find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets PrintSupport Network Concurrent Test)
find_package(nlohmann_json REQUIRED)
find_package(GIF REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)

# zint ships neither a CMake config nor a pkg-config file.
find_path(ZINT_INCLUDE_DIR zint.h REQUIRED)
find_library(ZINT_LIBRARY zint REQUIRED)
add_library(zint::zint UNKNOWN IMPORTED)
set_target_properties(zint::zint PROPERTIES
  IMPORTED_LOCATION "${ZINT_LIBRARY}"
  INTERFACE_INCLUDE_DIRECTORIES "${ZINT_INCLUDE_DIR}")
