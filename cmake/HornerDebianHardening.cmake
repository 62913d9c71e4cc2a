# The flags of Debian's own package builds, taken from dpkg-buildflags so that they follow the
# Debian release at hand: fortified functions, stack protector, format-string checks, RELRO, and
# with hardening=+all immediate binding as well. They go before the build type's own flags, so
# the release optimisation that the tests cover stays in force.
find_program(HORNER_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                ${HORNER_DPKG_BUILDFLAGS} --get ${kind}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE debian_${kind}
        OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
string(APPEND CMAKE_CXX_FLAGS " ${debian_CPPFLAGS} ${debian_CXXFLAGS}")
string(APPEND CMAKE_EXE_LINKER_FLAGS " ${debian_LDFLAGS}")
message(STATUS "Debian hardening: ${debian_CPPFLAGS} ${debian_CXXFLAGS} ${debian_LDFLAGS}")
