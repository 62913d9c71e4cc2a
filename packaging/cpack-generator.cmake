# Read by CPack once for each generator: what differs between the .tar.gz and the .deb.
if(CPACK_GENERATOR STREQUAL "DEB")
    # One package of every component but the licence file, which the copyright file replaces.
    set(CPACK_DEB_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
    set(CPACK_COMPONENTS_ALL Unspecified)
endif()
