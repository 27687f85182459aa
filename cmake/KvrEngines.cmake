# The engines the libraries link inside: zint, libzip and giflib. Found by
# the suite's build and, for a static build, by the installed package too.
find_package(GIF REQUIRED)
find_package(PkgConfig REQUIRED)
if(NOT TARGET PkgConfig::LIBZIP)
  # find_package(libzip) is broken without zipcmp, zipmerge and ziptool.
  pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
endif()
if(NOT TARGET zint::zint)
  # zint ships neither a CMake config nor a pkg-config file.
  find_path(ZINT_INCLUDE_DIR zint.h REQUIRED)
  find_library(ZINT_LIBRARY zint REQUIRED)
  add_library(zint::zint UNKNOWN IMPORTED)
  set_target_properties(zint::zint PROPERTIES
    IMPORTED_LOCATION "${ZINT_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${ZINT_INCLUDE_DIR}")
endif()
