# What the Debian package installs (cmake --install with prefix /usr) and how
# CPack builds it; scripts/package.sh drives both.
include(GNUInstallDirs)
# scripts/package.sh builds the installed targets itself; the install must not build every other one.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
set(PXFER_SHARE ${CMAKE_INSTALL_DATADIR}/pxfer)
set(PXFER_DOC ${CMAKE_INSTALL_DATADIR}/doc/pxfer)

install(TARGETS pxhost RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program looks for its glyph pack in ../share/pxfer from itself.
install(FILES ${CMAKE_BINARY_DIR}/btnkit.rcc DESTINATION ${PXFER_SHARE})
install(FILES db/README.md db/schema.sql db/procedures.sql db/grants.sql db/demo.sql
        DESTINATION ${PXFER_SHARE}/db)
install(DIRECTORY db/upgrades/ DESTINATION ${PXFER_SHARE}/db/upgrades FILES_MATCHING PATTERN "*.sql")
install(PROGRAMS scripts/server-setup.sh DESTINATION ${PXFER_SHARE})
install(DIRECTORY help/HTML/ DESTINATION ${PXFER_DOC}/pomoc)
install(FILES packaging/pxhost.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/pxhost.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES packaging/copyright DESTINATION ${PXFER_DOC})

# Debian wants manuals and the changelog compressed, without time stamps.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(_gz ${CMAKE_BINARY_DIR}/packaging)
add_custom_command(OUTPUT ${_gz}/pxhost.1.gz ${_gz}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_gz}
  COMMAND ${GZIP_PROGRAM} -9nc ${CMAKE_SOURCE_DIR}/packaging/pxhost.1 > ${_gz}/pxhost.1.gz
  COMMAND ${GZIP_PROGRAM} -9nc ${CMAKE_SOURCE_DIR}/packaging/changelog > ${_gz}/changelog.gz
  DEPENDS packaging/pxhost.1 packaging/changelog)
add_custom_target(package_files ALL DEPENDS ${_gz}/pxhost.1.gz ${_gz}/changelog.gz)
# The manual is Polish: under pl, and as the default page since there is no other.
install(FILES ${_gz}/pxhost.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/pl/man1)
install(FILES ${_gz}/pxhost.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_gz}/changelog.gz DESTINATION ${PXFER_DOC})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pxfer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "pxfer team <team@pxfer.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bank transfers for budget-financed public units")
# The summary above is the synopsis line; this is the text under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "The transfer register of an accounting suite for Polish public units:
 transfers from invoices and typed in, payment sets, bank files for five
 bank formats, posting to the ledger, bank statements and payroll import.
 Works on a Firebird 3 database, local (embedded) or on the office's server.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so the library scan cannot see them: the embedded
# engine and the screen plugins of Qt (the SVG plugins come with the linked library).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "firebird3.0-server-core, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "firebird3.0-utils, qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/deb)
include(CPack)
