# The release date, set once in the top-level CMakeLists.txt as YYYY-MM-DD, in the form that a
# Debian changelog wants (RFC 2822, at noon UTC): HORNER_RELEASE_DATE_RFC2822; and the same moment
# as the time stamp of every file in the release artefacts (HORNER_SOURCE_DATE_EPOCH, seconds since
# 1970), unless the caller's own SOURCE_DATE_EPOCH says otherwise.
string(REGEX MATCH "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$" valid_date
    "${HORNER_RELEASE_DATE}")
if(NOT valid_date)
    message(FATAL_ERROR "HORNER_RELEASE_DATE must be YYYY-MM-DD, not '${HORNER_RELEASE_DATE}'")
endif()
set(release_day ${CMAKE_MATCH_3})
math(EXPR release_year "${CMAKE_MATCH_1}")
math(EXPR release_month "1${CMAKE_MATCH_2} - 100")  # "08" is no octal number here
math(EXPR release_day_number "1${CMAKE_MATCH_3} - 100")
# The day of the week by Sakamoto's method.
set(month_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
math(EXPR month_index "${release_month} - 1")
list(GET month_offsets ${month_index} month_offset)
set(year_for_weekday ${release_year})
if(release_month LESS 3)
    math(EXPR year_for_weekday "${release_year} - 1")
endif()
math(EXPR weekday "(${year_for_weekday} + ${year_for_weekday} / 4 - ${year_for_weekday} / 100 \
    + ${year_for_weekday} / 400 + ${month_offset} + ${release_day_number}) % 7")
set(weekday_names Sun Mon Tue Wed Thu Fri Sat)
list(GET weekday_names ${weekday} weekday_name)
set(month_names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET month_names ${month_index} month_name)
set(HORNER_RELEASE_DATE_RFC2822
    "${weekday_name}, ${release_day} ${month_name} ${release_year} 12:00:00 +0000")

# Days since 1970-01-01 by Howard Hinnant's days_from_civil, for years from 1970 on.
set(civil_year ${release_year})
if(release_month LESS_EQUAL 2)
    math(EXPR civil_year "${release_year} - 1")
    math(EXPR civil_month "${release_month} + 9")
else()
    math(EXPR civil_month "${release_month} - 3")
endif()
math(EXPR era "${civil_year} / 400")
math(EXPR year_of_era "${civil_year} - ${era} * 400")
math(EXPR day_of_year "(153 * ${civil_month} + 2) / 5 + ${release_day_number} - 1")
math(EXPR day_of_era "${year_of_era} * 365 + ${year_of_era} / 4 - ${year_of_era} / 100 + ${day_of_year}")
math(EXPR release_days "${era} * 146097 + ${day_of_era} - 719468")
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(HORNER_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
    math(EXPR HORNER_SOURCE_DATE_EPOCH "${release_days} * 86400 + 43200")
endif()
