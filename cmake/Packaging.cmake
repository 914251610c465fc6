# A Debian package of the installed layout: `cpack -G DEB` in a build folder (`make package`).
# The programs go to /usr/bin; installed there, the designer keeps its settings file in the
# user's configuration folder, since the folder beside the program is not writable.
set(CPACK_PACKAGE_NAME "vaporina")
set(CPACK_PACKAGE_VENDOR "Vaporina developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Designer for the windows of Java Swing programs")
# Lines under 80 columns, as Debian's description format wants.
set(CPACK_PACKAGE_DESCRIPTION
    "Draw a Java Swing window, place labels, text and password fields,\n\
buttons, lists and combo boxes on it, and get the Java source of its\n\
objects or of an example class. Designs are kept in small .vap files.\n\
The interface speaks Portuguese, English and Spanish. The package also\n\
holds vapgen, which generates the Java code of a design file without the\n\
designer window.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR "DEB")
set(CPACK_SOURCE_GENERATOR "TGZ")
# Written into CPackSourceConfig.cmake and read again: "[.]" needs no escape there.
set(CPACK_SOURCE_IGNORE_FILES "/[.]git/" "/build/" "/[.]cache/")

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vaporina developers <vaporina@vaporina.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION "devel")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The X11 platform plugin is loaded at run time, so no library dependency names it.
set(vap_runtime_packages "qt6-qpa-plugins")
# cpack's dependency scan runs dpkg-shlibdeps on what `file` reports as ELF.
find_program(VAP_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(VAP_FILE file)
if(VAP_DPKG_SHLIBDEPS AND VAP_FILE)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    message(STATUS "dpkg-shlibdeps or file not found (packages dpkg-dev, file): the package "
                   "lists its dependencies by hand")
    list(APPEND vap_runtime_packages libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6)
endif()
list(JOIN vap_runtime_packages ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# Without Liberation fonts the splash title nearly fills its window; without Qt's catalogues its
# own buttons and file dialog stay English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-translations-l10n")
# See it in Java compiles and runs the designed window with the JDK's javac and java.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "default-jdk")

# The package's documentation: copyright (from LICENSE), changelog and manual pages, the last two
# compressed as Debian wants (gzip -9n: no name or time stamp, the same bytes at every build).
include(GNUInstallDirs)
set(vap_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/vaporina)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE vap_license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" vap_license_holder "${vap_license}")
set(vap_license_holder "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*Copyright [^\n]*\n\n" "" vap_license_body "${vap_license}")
string(REGEX REPLACE "\n$" "" vap_license_body "${vap_license_body}")
string(REGEX REPLACE "\n\n" "\n.\n" vap_license_body "${vap_license_body}")
string(REGEX REPLACE "\n" "\n " vap_license_body "${vap_license_body}")
file(WRITE ${PROJECT_BINARY_DIR}/packaging/copyright
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     "Upstream-Name: vaporina\n\n"
     "Files: *\nCopyright: ${vap_license_holder}\nLicense: Expat\n ${vap_license_body}\n")
install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright DESTINATION ${vap_doc_dir})

set(vap_compressed)
foreach(source packaging/changelog docs/man/vaporina.1 docs/man/vapgen.1)
    get_filename_component(name ${source} NAME)
    set(compressed ${PROJECT_BINARY_DIR}/packaging/${name}.gz)
    add_custom_command(OUTPUT ${compressed}
                       COMMAND sh -c "gzip -9n -c '${PROJECT_SOURCE_DIR}/${source}' > '${compressed}'"
                       DEPENDS ${PROJECT_SOURCE_DIR}/${source} VERBATIM)
    list(APPEND vap_compressed ${compressed})
endforeach()
add_custom_target(vap_compressed_docs ALL DEPENDS ${vap_compressed})
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${vap_doc_dir})
install(FILES ${PROJECT_BINARY_DIR}/packaging/vaporina.1.gz ${PROJECT_BINARY_DIR}/packaging/vapgen.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/vaporina-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME vaporina.xml)

include(CPack)
