# Read by cpack once per generator: the Debian package takes the "deb" install component
# (under /usr), the portable archive the "portable" one (a flat program folder).
list(GET CPACK_INSTALL_CMAKE_PROJECTS 0 velantor_build_dir)
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_INSTALL_CMAKE_PROJECTS "${velantor_build_dir};Velantor;deb;/")
    set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
elseif(CPACK_GENERATOR STREQUAL "TGZ")
    set(CPACK_INSTALL_CMAKE_PROJECTS "${velantor_build_dir};Velantor;portable;/")
    set(CPACK_PACKAGE_FILE_NAME "velantor-${CPACK_PACKAGE_VERSION}-portable")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
