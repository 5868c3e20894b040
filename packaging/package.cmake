# The Debian package: `cpack -G DEB` in the build folder (scripts/package
# does it and checks the result with lintian).
set(ZN_DEB_MAINTAINER "ZN4417 configurator developers <zn4417config@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "zn4417config")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "ZN4417 configurator developers")
set(CPACK_PACKAGE_CONTACT "${ZN_DEB_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configurator for the ZN4417 servo-driver chip")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZN_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "electronics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The summary above is the synopsis line; CPack indents these lines and
# turns the empty one into the paragraph mark.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Reads the 64-byte configuration block of a ZN4417 servo-driver chip
through its USB bridge, shows and edits every parameter and writes the
block back, verified by a read-back.

The package holds the configuration window zn4417config, the command-line
tool zn4417ctl, the chip emulator zn4417emu for trying both without
hardware, and a udev rule that gives the logged-in user (and the plugdev
group) access to the bridge without root.
It also holds zn4417hex, a hex editor for files.")
# The libraries come from dpkg-shlibdeps; the window also needs Qt's
# platform plugins, and draws its texts in these fonts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2 | fonts-liberation, fonts-wqy-zenhei, udev")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${CMAKE_CURRENT_SOURCE_DIR}/debian/postinst"
                                       "${CMAKE_CURRENT_SOURCE_DIR}/debian/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
