# Run by CPack on each package it made. The members of a .deb's outer ar archive carry the modes
# that the umask gave the files CPack wrote them from; each gets 644, as dpkg-deb writes them. An
# ar member's header is 60 bytes: its mode is the 8 characters at offset 40, its size the 10 at 48.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.deb$")
        continue()
    endif()
    file(SIZE "${package}" package_size)
    set(header 8)  # after "!<arch>\n"
    while(header LESS package_size)
        math(EXPR mode_at "${header} + 40")
        math(EXPR size_at "${header} + 48")
        file(READ "${package}" member_size OFFSET ${size_at} LIMIT 10)
        string(STRIP "${member_size}" member_size)
        execute_process(
            COMMAND sh -c "printf '100644  ' | dd of='${package}' bs=1 seek=${mode_at} conv=notrunc status=none"
            COMMAND_ERROR_IS_FATAL ANY)
        math(EXPR header "${header} + 60 + ${member_size} + ${member_size} % 2")
    endwhile()
endforeach()
