# Install rules and packages: a Debian package (install component "deb", under /usr) and a
# portable archive (component "portable", one program folder), both made by cpack in the
# build folder; scripts/package runs it.
include(GNUInstallDirs)

set(VELANTOR_RELEASE_DATE "2026-12-09")
set(packaging_source ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_build ${PROJECT_BINARY_DIR}/packaging)

# The sample program folder as the build assembles it, without what a run leaves there
# (saved applications in ficheros/temp, usuarios.xml, traces): the configuration and the
# manual, the plain data files, the encoded catalogues and the templates.
function(velantor_install_program_folder destination component)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/program/ DESTINATION ${destination} COMPONENT ${component})
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ficheros/ DESTINATION ${destination}/ficheros
        COMPONENT ${component})
    install(DIRECTORY ${VELANTOR_PROGRAM_DIR}/ficheros/ DESTINATION ${destination}/ficheros
        COMPONENT ${component}
        FILES_MATCHING PATTERN "F*.enc" PATTERN "PlantillaWXP.dot" PATTERN "temp" EXCLUDE)
    install(DIRECTORY DESTINATION ${destination}/ficheros/temp COMPONENT ${component})
endfunction()

set(CPACK_PACKAGE_CONTACT "Equipo de desarrollo de Velantor <velantor@example.org>")
configure_file(${packaging_source}/velantor.metainfo.xml.in ${packaging_build}/org.example.velantor.metainfo.xml @ONLY)
configure_file(${packaging_source}/LEEME.txt.in ${packaging_build}/LEEME.txt @ONLY)
configure_file(${packaging_source}/changelog.in ${packaging_build}/changelog @ONLY)

# Manual pages and the changelog go compressed, as Debian keeps them.
set(manpages "")
set(gzipped "")
foreach(file ${packaging_source}/velantor.1 ${packaging_source}/velantor-cli.1 ${packaging_build}/changelog)
    get_filename_component(name ${file} NAME)
    add_custom_command(OUTPUT ${packaging_build}/gz/${name}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_build}/gz
        COMMAND ${CMAKE_COMMAND} -E copy ${file} ${packaging_build}/gz/${name}
        COMMAND gzip -9nf ${packaging_build}/gz/${name}
        DEPENDS ${file}
        VERBATIM)
    list(APPEND gzipped ${packaging_build}/gz/${name}.gz)
    if(name MATCHES "[.]1$")
        list(APPEND manpages ${packaging_build}/gz/${name}.gz)
    endif()
endforeach()
add_custom_target(velantor_packaging_files ALL DEPENDS ${gzipped})

# The Debian package.
set(share_dir ${CMAKE_INSTALL_DATADIR}/velantor)
install(TARGETS velantor velantor-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT deb)
velantor_install_program_folder(${share_dir}/programa deb)
install(FILES ${PROJECT_SOURCE_DIR}/docs/manual/manual.html DESTINATION ${share_dir}/manual COMPONENT deb)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/screenshots DESTINATION ${share_dir} COMPONENT deb
    FILES_MATCHING PATTERN "*.png")
install(FILES ${packaging_source}/velantor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
    COMPONENT deb)
install(FILES ${packaging_source}/velantor.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    COMPONENT deb)
install(FILES ${packaging_build}/org.example.velantor.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
    COMPONENT deb)
install(FILES ${manpages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT deb)
install(FILES ${packaging_source}/copyright ${packaging_build}/gz/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velantor COMPONENT deb)

# The portable folder: the executables beside their program folder, and the launcher.
install(TARGETS velantor velantor-cli RUNTIME DESTINATION . COMPONENT portable)
velantor_install_program_folder(. portable)
install(PROGRAMS ${packaging_source}/velantor.sh DESTINATION . COMPONENT portable)
install(FILES ${packaging_build}/LEEME.txt DESTINATION . COMPONENT portable)

set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_PACKAGE_NAME velantor)
set(CPACK_PACKAGE_VENDOR "Velantor")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "solicitud de participación en un concurso de traslados")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${packaging_source}/CPackPerGenerator.cmake)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded by Qt at run time, so dpkg-shlibdeps cannot see them: the window system plugin,
# and the Spanish texts of the standard buttons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-liberation2, fonts-liberation")
set(CPACK_PACKAGE_DESCRIPTION
    "Velantor es el programa con el que el personal de un servicio público de salud
prepara su solicitud para un concurso de traslados: datos personales y
profesionales, plazas elegidas en los catálogos del concurso, cursos y
documentos; la guarda como documento y la imprime con un código de barras por
página.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

if(VELANTOR_BUILD_TESTS)
    # Installs both components into a staging folder and checks the trees.
    add_test(NAME package_install
        COMMAND ${packaging_source}/check-install ${PROJECT_BINARY_DIR})
    set_tests_properties(package_install PROPERTIES LABELS core TIMEOUT 300
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endif()
