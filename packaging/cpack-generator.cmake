# Read by CPack once for each generator: what differs between the .tar.gz and the .deb, and the
# date of every member, which CPack takes from SOURCE_DATE_EPOCH.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ENV{SOURCE_DATE_EPOCH} "${CPACK_HORNER_SOURCE_DATE_EPOCH}")
endif()
# A .zip keeps local time: the same moment must give the same bytes in every time zone.
set(ENV{TZ} UTC0)
if(CPACK_GENERATOR STREQUAL "DEB")
    # One package of every component but the licence file, which the copyright file replaces.
    set(CPACK_DEB_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
    set(CPACK_COMPONENTS_ALL Unspecified)
endif()
