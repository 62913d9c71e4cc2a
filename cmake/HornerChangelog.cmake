# CHANGELOG holds the releases, newest first, each a heading "horner VERSION (YYYY-MM-DD)" and its
# lines indented by two blanks. Its top entry must be the release that CMakeLists.txt states;
# horner_debian_changelog() writes the whole history in the form of a Debian changelog.

file(READ ${PROJECT_SOURCE_DIR}/CHANGELOG horner_changelog)
set(horner_changelog_heading "horner [^ \n]+ \\([0-9-]+\\)\n")
string(REGEX MATCH "^horner ([^ \n]+) \\(([0-9-]+)\\)\n" top_heading "${horner_changelog}")
if(NOT top_heading OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION
        OR NOT CMAKE_MATCH_2 STREQUAL HORNER_RELEASE_DATE)
    message(FATAL_ERROR "CHANGELOG must begin with the entry of this release, "
        "'horner ${PROJECT_VERSION} (${HORNER_RELEASE_DATE})'")
endif()

function(horner_debian_changelog maintainer out_file)
    string(REGEX MATCHALL "${horner_changelog_heading}" headings "${horner_changelog}")
    set(debian "")
    set(rest "${horner_changelog}")
    foreach(heading IN LISTS headings)
        string(REGEX MATCH "^horner ([^ ]+) \\(([0-9-]+)\\)" unused "${heading}")
        set(version ${CMAKE_MATCH_1})
        set(date ${CMAKE_MATCH_2})
        string(LENGTH "${heading}" heading_length)
        string(SUBSTRING "${rest}" ${heading_length} -1 rest)
        # The entry runs to the next heading, or to the end.
        string(REGEX MATCH "${horner_changelog_heading}" next "${rest}")
        if(next)
            string(FIND "${rest}" "${next}" entry_length)
        else()
            string(LENGTH "${rest}" entry_length)
        endif()
        string(SUBSTRING "${rest}" 0 ${entry_length} entry)
        string(SUBSTRING "${rest}" ${entry_length} -1 rest)
        string(STRIP "${entry}" entry)
        horner_date_rfc2822(${date} rfc2822)
        string(APPEND debian "horner (${version}) unstable; urgency=medium\n\n  ${entry}\n\n"
            " -- ${maintainer}  ${rfc2822}\n\n")
    endforeach()
    string(STRIP "${debian}" debian)
    file(WRITE ${out_file} "${debian}\n")
endfunction()
