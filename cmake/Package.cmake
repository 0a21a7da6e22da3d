# What a user installs: on Linux a .deb (CPack) with /usr/bin/kestrova and the
# man page kestrova(1); scripts/package builds it and the Windows zip.
install(TARGETS kestrova RUNTIME DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kestrova.1 DESTINATION share/man/man1)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_NAME kestrova)
set(CPACK_PACKAGE_CONTACT "Kestrova maintainers <kestrova@kestrova.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Indents and tidies VB6 code: module files, projects and folders")
set(CPACK_DEBIAN_FILE_NAME "kestrova_${PROJECT_VERSION}_amd64.deb")
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_SOURCE_DIR}/dist)
include(CPack)
