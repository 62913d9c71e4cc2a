# Run by CPack on the staged files before it packs them: folders made while installing have the
# modes the umask left them, which would differ from one build to the next; they get 755.
file(GLOB_RECURSE folders LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(folder IN LISTS folders)
    if(IS_DIRECTORY "${folder}")
        file(CHMOD "${folder}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
            GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    endif()
endforeach()
