# A Debian package of what `cmake --install` puts in place:
# lettercode_<version>_<arch>.deb, its Depends worked out by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lettercode)
set(CPACK_PACKAGE_VENDOR "lettercode developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print the four-letter code of decimal numbers")
set(CPACK_PACKAGE_DESCRIPTION "lettercode prompts for decimal numbers and prints \
each one's four lowest hexadecimal digits as the letters a (0) to p (15): 1234 \
becomes aenc.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "lettercode developers <maintainers@lettercode.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
