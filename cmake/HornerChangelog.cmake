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

# A date YYYY-MM-DD as a Debian changelog dates an entry, RFC 2822 at noon UTC, or an hour later
# for each earlier release of the same day, so that every entry is newer than the one before it;
# the day of the week by Sakamoto's method.
function(horner_date_rfc2822 date earlier_that_day out_var)
    string(REGEX MATCH "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$" valid "${date}")
    if(NOT valid)
        message(FATAL_ERROR "a date must be YYYY-MM-DD, not '${date}'")
    endif()
    set(year ${CMAKE_MATCH_1})
    set(day_digits ${CMAKE_MATCH_3})
    math(EXPR month "1${CMAKE_MATCH_2} - 100")  # "08" is no octal number here
    math(EXPR day "1${CMAKE_MATCH_3} - 100")
    math(EXPR month_index "${month} - 1")
    set(month_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
    list(GET month_offsets ${month_index} month_offset)
    set(weekday_year ${year})
    if(month LESS 3)
        math(EXPR weekday_year "${year} - 1")
    endif()
    math(EXPR weekday "(${weekday_year} + ${weekday_year} / 4 - ${weekday_year} / 100 \
        + ${weekday_year} / 400 + ${month_offset} + ${day}) % 7")
    set(weekday_names Sun Mon Tue Wed Thu Fri Sat)
    list(GET weekday_names ${weekday} weekday_name)
    set(month_names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET month_names ${month_index} month_name)
    math(EXPR hour "12 + ${earlier_that_day}")
    set(${out_var} "${weekday_name}, ${day_digits} ${month_name} ${year} ${hour}:00:00 +0000"
        PARENT_SCOPE)
endfunction()

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
        string(REGEX MATCHALL "\\(${date}\\)\n" same_day "${rest}")
        list(LENGTH same_day earlier_that_day)
        horner_date_rfc2822(${date} ${earlier_that_day} rfc2822)
        string(APPEND debian "horner (${version}) unstable; urgency=medium\n\n  ${entry}\n\n"
            " -- ${maintainer}  ${rfc2822}\n\n")
    endforeach()
    string(STRIP "${debian}" debian)
    file(WRITE ${out_file} "${debian}\n")
endfunction()
