# What the Debian package installs and how CPack builds it:
#   cpack -G DEB   (scripts/package.sh builds Release in its own folder first)
# -> bunline_<version>_amd64.deb with both programs, the desktop entry and
# icon, the man pages, the machine's config.txt and the documentation files.

install(TARGETS bunline bunlinectl RUNTIME DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/bunline.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/bunline.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/config.txt DESTINATION /etc/bunline)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/config.txt DESTINATION share/doc/bunline/examples)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/bunline)

# Debian keeps man pages and the changelog (of a native package) compressed, without a time stamp.
set(packaging_dir ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${packaging_dir})
set(compressed)
foreach(page bunline.1 bunlinectl.1)
    add_custom_command(OUTPUT ${packaging_dir}/${page}.gz
        COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/${page} > ${packaging_dir}/${page}.gz
        DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${page})
    list(APPEND compressed ${packaging_dir}/${page}.gz)
    install(FILES ${packaging_dir}/${page}.gz DESTINATION share/man/man1)
endforeach()
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${packaging_dir}/changelog
     "bunline (${PROJECT_VERSION}) stable; urgency=medium\n\n  * Release ${PROJECT_VERSION}.\n\n"
     " -- Bunline maintainers <maintainers@bunline.example>  ${changelog_date}\n")
add_custom_command(OUTPUT ${packaging_dir}/changelog.gz
    COMMAND gzip -9nc ${packaging_dir}/changelog > ${packaging_dir}/changelog.gz
    DEPENDS ${packaging_dir}/changelog)
list(APPEND compressed ${packaging_dir}/changelog.gz)
install(FILES ${packaging_dir}/changelog.gz DESTINATION share/doc/bunline)
add_custom_target(bunline_package_files ALL DEPENDS ${compressed})

file(WRITE ${packaging_dir}/conffiles "/etc/bunline/config.txt\n")

set(CPACK_PACKAGE_NAME bunline)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Bunline")
set(CPACK_PACKAGE_CONTACT "Bunline maintainers <maintainers@bunline.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "order management for foam fabrication plants")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_WARN_ON_ABSOLUTE_INSTALL_DESTINATION OFF)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Bunline maintainers <maintainers@bunline.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Bunline keeps the style catalogue, orders, production paperwork, shipping,\n"
    "invoicing and office reports of a foam fabrication plant, on workstations\n"
    "sharing one SQLite or PostgreSQL database. bunline is the desktop program;\n"
    "bunlinectl sets up, upgrades, backs up and scripts the database.")
# The libraries the programs link are found by dpkg-shlibdeps; the SQL drivers
# are plugins loaded at run time, so they are named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "adduser, libqt6sql6-sqlite, libqt6sql6-psql")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "postgresql-client, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/packaging/postinst ${packaging_dir}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
# cpack packs what the build made and never starts a build of everything (the
# tests and benchmarks are not packaged); scripts/package.sh builds first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
