# Installation and packages: a .tar.gz and a .deb on Linux, a .zip with horner.exe for Windows.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME horner)
set(CPACK_PACKAGE_VENDOR "${HORNER_AUTHORS}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "evaluate a real polynomial at a complex point (Horner)")
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# Reproducible artefacts: every member dated from the release (CPack reads SOURCE_DATE_EPOCH,
# which packaging/cpack-generator.cmake sets where the caller has not), and folders with the same
# modes whatever the umask (packaging/staged-modes.cmake), as the members of the .deb
# (packaging/deb-member-modes.cmake).
set(CPACK_HORNER_SOURCE_DATE_EPOCH ${HORNER_RELEASE_EPOCH})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/cpack-generator.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/staged-modes.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/deb-member-modes.cmake)

# The licence's copyright line is the one the program and the packages carry.
file(STRINGS LICENSE licence_copyright REGEX "^Copyright ")
if(NOT licence_copyright STREQUAL HORNER_COPYRIGHT)
    message(FATAL_ERROR "LICENSE says '${licence_copyright}', CMakeLists.txt '${HORNER_COPYRIGHT}'")
endif()

if(WIN32)
    # What Windows users expect of a .zip: one folder with the program, its guide and licence,
    # the texts with CR LF line ends, which every Notepad shows as lines. README.md stays out: it
    # is UTF-8 without a byte-order mark, which the Notepad of Windows 7 misreads, and it tells
    # how to build on Linux, with links to files the .zip lacks.
    file(READ LICENSE contents)
    string(REPLACE "\n" "\r\n" contents "${contents}")
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/crlf/LICENSE "${contents}")
    # The users' guide in Russian, with the version and date of this release: UTF-8 with a
    # byte-order mark, which Notepad on every Windows takes for UTF-8.
    configure_file(doc/README.ru.txt.in ${CMAKE_CURRENT_BINARY_DIR}/README.ru.txt @ONLY)
    file(READ ${CMAKE_CURRENT_BINARY_DIR}/README.ru.txt contents)
    string(REPLACE "\n" "\r\n" contents "${contents}")
    string(ASCII 239 187 191 byte_order_mark)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/crlf/README.ru.txt "${byte_order_mark}${contents}")
    install(TARGETS horner RUNTIME DESTINATION .)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/crlf/README.ru.txt DESTINATION .)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/crlf/LICENSE DESTINATION . RENAME LICENSE.txt)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SYSTEM_NAME win32)
    include(CPack)
    return()
endif()

set(HORNER_PACKAGE_MAINTAINER "the horner developers <horner-developers@example.org>"
    CACHE STRING "Maintainer of the Debian package: a name and a working mail address")

# The Debian documentation files: the changelog and the manual page compressed as Debian wants
# them (gzip -9n: no name, no time stamp), and the licence as a machine-readable copyright file.
set(packaging_dir ${CMAKE_CURRENT_BINARY_DIR}/packaging)
string(REGEX REPLACE "^Copyright \\(c\\) " "" HORNER_COPYRIGHT_YEARS_AND_HOLDER "${HORNER_COPYRIGHT}")
file(READ LICENSE licence)
string(REGEX REPLACE "^.*\nCopyright [^\n]*\n\n" "" HORNER_LICENSE_TEXT "${licence}")
string(STRIP "${HORNER_LICENSE_TEXT}" HORNER_LICENSE_TEXT)
string(REPLACE "\n\n" "\n.\n" HORNER_LICENSE_TEXT "${HORNER_LICENSE_TEXT}")
string(REPLACE "\n" "\n " HORNER_LICENSE_TEXT " ${HORNER_LICENSE_TEXT}")
configure_file(packaging/copyright.in ${packaging_dir}/copyright @ONLY)
horner_debian_changelog("${HORNER_PACKAGE_MAINTAINER}" ${packaging_dir}/changelog)
configure_file(doc/horner.1.in ${packaging_dir}/horner.1 @ONLY)
configure_file(doc/horner.ru.1.in ${packaging_dir}/ru/horner.1 @ONLY)
add_custom_command(
    OUTPUT ${packaging_dir}/changelog.gz ${packaging_dir}/horner.1.gz ${packaging_dir}/ru/horner.1.gz
    COMMAND gzip -9nkf ${packaging_dir}/changelog ${packaging_dir}/horner.1
        ${packaging_dir}/ru/horner.1
    DEPENDS ${packaging_dir}/changelog ${packaging_dir}/horner.1 ${packaging_dir}/ru/horner.1
    COMMENT "Compressing the changelog and the manual pages")
add_custom_target(horner_documentation ALL
    DEPENDS ${packaging_dir}/changelog.gz ${packaging_dir}/horner.1.gz
        ${packaging_dir}/ru/horner.1.gz)

install(TARGETS horner RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    # As Debian's dh_strip does: the compilers' identification strings have no use in a package.
    install(CODE "execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/horner\"
        COMMAND_ERROR_IS_FATAL ANY)")
endif()
install(FILES README.md ${packaging_dir}/copyright ${packaging_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The .deb carries the licence in its copyright file; a second copy is what Debian asks to avoid.
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT licence)
install(FILES ${packaging_dir}/horner.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Where man finds it for a Russian locale (man -L ru horner).
install(FILES ${packaging_dir}/ru/horner.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man1)

set(CPACK_GENERATOR TGZ)
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    list(APPEND CPACK_GENERATOR DEB)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${HORNER_PACKAGE_MAINTAINER}")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "The program asks, in Russian, for a polynomial with real coefficients\n"
    "of order 0 to 9 and a complex point, evaluates the polynomial there by\n"
    "Horner's scheme in single precision and prints the complex value.\n"
    "It is meant for students and teachers of numerical methods: each part\n"
    "printed is the single-precision result of that scheme, computed with\n"
    "one rounding per stored part, the same bits on every platform.")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
