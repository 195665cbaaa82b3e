# Outside libraries, all from Debian packages (see scripts/setup).
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets Test)
find_package(PkgConfig REQUIRED)
find_package(pugixml REQUIRED)
# libzip's CMake package needs zipcmp/zipmerge/ziptool on Debian 12; pkg-config does not.
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
pkg_check_modules(POPPLER_CPP REQUIRED IMPORTED_TARGET poppler-cpp)
find_package(ZXing REQUIRED)

# zint ships no CMake or pkg-config file.
find_path(ZINT_INCLUDE_DIR zint.h REQUIRED)
find_library(ZINT_LIBRARY zint REQUIRED)
add_library(velantor_zint INTERFACE)
target_include_directories(velantor_zint INTERFACE ${ZINT_INCLUDE_DIR})
target_link_libraries(velantor_zint INTERFACE ${ZINT_LIBRARY})
