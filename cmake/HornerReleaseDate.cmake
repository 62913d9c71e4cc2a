# Dates written YYYY-MM-DD, as the release date in the top-level CMakeLists.txt and the entries of
# CHANGELOG are, in the forms that packaging wants: RFC 2822 at noon UTC for a Debian changelog,
# and the same moment in seconds since 1970 as the time stamp of every file in the release
# artefacts. HORNER_RELEASE_DATE_RFC2822 and HORNER_SOURCE_DATE_EPOCH are the release's own; a
# SOURCE_DATE_EPOCH in the caller's environment wins over the latter.

# Splits a date into year, month and day numbers; stops with an error unless it is YYYY-MM-DD.
function(horner_parse_date date)
    string(REGEX MATCH "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$" valid "${date}")
    if(NOT valid)
        message(FATAL_ERROR "a date must be YYYY-MM-DD, not '${date}'")
    endif()
    math(EXPR year "${CMAKE_MATCH_1}")
    math(EXPR month "1${CMAKE_MATCH_2} - 100")  # "08" is no octal number here
    math(EXPR day "1${CMAKE_MATCH_3} - 100")
    set(date_year ${year} PARENT_SCOPE)
    set(date_month ${month} PARENT_SCOPE)
    set(date_day ${day} PARENT_SCOPE)
    set(date_day_digits ${CMAKE_MATCH_3} PARENT_SCOPE)
endfunction()

function(horner_date_rfc2822 date out_var)
    horner_parse_date("${date}")
    # The day of the week by Sakamoto's method.
    set(month_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
    math(EXPR month_index "${date_month} - 1")
    list(GET month_offsets ${month_index} month_offset)
    set(year ${date_year})
    if(date_month LESS 3)
        math(EXPR year "${date_year} - 1")
    endif()
    math(EXPR weekday "(${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + ${month_offset} \
        + ${date_day}) % 7")
    set(weekday_names Sun Mon Tue Wed Thu Fri Sat)
    list(GET weekday_names ${weekday} weekday_name)
    set(month_names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET month_names ${month_index} month_name)
    set(${out_var} "${weekday_name}, ${date_day_digits} ${month_name} ${date_year} 12:00:00 +0000"
        PARENT_SCOPE)
endfunction()

# Seconds since 1970-01-01 at noon UTC, by Howard Hinnant's days_from_civil, for years from 1970 on.
function(horner_date_epoch date out_var)
    horner_parse_date("${date}")
    set(year ${date_year})
    if(date_month LESS_EQUAL 2)
        math(EXPR year "${date_year} - 1")
        math(EXPR month "${date_month} + 9")
    else()
        math(EXPR month "${date_month} - 3")
    endif()
    math(EXPR era "${year} / 400")
    math(EXPR year_of_era "${year} - ${era} * 400")
    math(EXPR day_of_year "(153 * ${month} + 2) / 5 + ${date_day} - 1")
    math(EXPR day_of_era "${year_of_era} * 365 + ${year_of_era} / 4 - ${year_of_era} / 100 \
        + ${day_of_year}")
    math(EXPR seconds "(${era} * 146097 + ${day_of_era} - 719468) * 86400 + 43200")
    set(${out_var} ${seconds} PARENT_SCOPE)
endfunction()

horner_date_rfc2822("${HORNER_RELEASE_DATE}" HORNER_RELEASE_DATE_RFC2822)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(HORNER_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
    horner_date_epoch("${HORNER_RELEASE_DATE}" HORNER_SOURCE_DATE_EPOCH)
endif()
