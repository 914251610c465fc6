# A Debian package of the installed layout: `cpack -G DEB` in a build folder (`make package`).
# The programs go to /usr/bin; installed there, the designer keeps its settings file in the
# user's configuration folder, since the folder beside the program is not writable.
set(CPACK_PACKAGE_NAME "vaporina")
set(CPACK_PACKAGE_VENDOR "Vaporina developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Designer for the windows of Java Swing programs")
set(CPACK_PACKAGE_DESCRIPTION
    "Draw a Java Swing window, place labels, text and password fields, buttons, lists and combo\n\
boxes on it, and get the Java source of its objects or of an example class. Designs are kept\n\
in small .vap files. The interface speaks Portuguese, English and Spanish. The package also\n\
holds vapgen, which generates the Java code of a design file without the designer window.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR "DEB")
set(CPACK_SOURCE_GENERATOR "TGZ")
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build/" "/\\.cache/")

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vaporina developers <vaporina@vaporina.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION "devel")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The X11 platform plugin is loaded at run time, so no library dependency names it.
set(vap_runtime_packages "qt6-qpa-plugins")
find_program(VAP_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VAP_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    message(STATUS "dpkg-shlibdeps not found (package dpkg-dev): the package lists its "
                   "dependencies by hand")
    list(APPEND vap_runtime_packages libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6)
endif()
list(JOIN vap_runtime_packages ", " CPACK_DEBIAN_PACKAGE_DEPENDS)

include(CPack)
