# marrowpin_debian_changelog(NEWS OUTPUT PACKAGE MAINTAINER): writes the
# Debian changelog from NEWS.md, one entry per section, newest first:
#
#   ## 1.06 (2026-12-08)          marrowpin-cli (1.06-1) unstable; urgency=medium
#                                   * First line of the item,
#   - First line of the item,  ->     its next line.
#     its next line.
#                                  -- MAINTAINER  Tue, 08 Dec 2026 00:00:00 +0000
#
# The newest section must be PROJECT_VERSION's, so that no version is
# released without its news.
function(marrowpin_debian_changelog news output package maintainer)
  file(STRINGS ${news} lines ENCODING UTF-8)
  set(entries "")
  set(version "")
  set(entry_end "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^## ([0-9.]+) \\(([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])\\)$")
      if(version STREQUAL "")
        if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
          message(FATAL_ERROR "${news}: its newest section is ${CMAKE_MATCH_1}, "
            "the project's version ${PROJECT_VERSION}: add a section for it")
        endif()
      endif()
      string(APPEND entries "${entry_end}")
      set(version ${CMAKE_MATCH_1})
      marrowpin_changelog_date(date ${CMAKE_MATCH_2} ${CMAKE_MATCH_3} ${CMAKE_MATCH_4})
      string(APPEND entries "${package} (${version}-1) unstable; urgency=medium\n\n")
      set(entry_end "\n -- ${maintainer}  ${date}\n\n")
    elseif(line MATCHES "^## ")
      message(FATAL_ERROR "${news}: \"${line}\" is no \"## VERSION (YYYY-MM-DD)\" heading")
    elseif(NOT version STREQUAL "" AND line MATCHES "^- (.*)$")
      string(APPEND entries "  * ${CMAKE_MATCH_1}\n")
    elseif(NOT version STREQUAL "" AND line MATCHES "^  (.*)$")
      string(APPEND entries "    ${CMAKE_MATCH_1}\n")
    elseif(NOT version STREQUAL "" AND NOT line STREQUAL "")
      message(FATAL_ERROR "${news}: \"${line}\" is no item (\"- \") nor its continuation (\"  \")")
    endif()
  endforeach()
  if(version STREQUAL "")
    message(FATAL_ERROR "${news} has no section for ${PROJECT_VERSION}")
  endif()
  string(REGEX REPLACE "\n$" "" entry_end "${entry_end}")
  file(WRITE ${output} "${entries}${entry_end}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${news})
endfunction()

# marrowpin_changelog_date(OUT YEAR MONTH DAY): the day in the form Debian's
# changelog wants, "Tue, 08 Dec 2026 00:00:00 +0000".
function(marrowpin_changelog_date out year month day)
  # Days since 1970-01-01, a Thursday (days_from_civil in the proleptic
  # Gregorian calendar, years counted from March).
  math(EXPR m "1${month} - 100")
  math(EXPR d "1${day} - 100")
  if(m LESS_EQUAL 2)
    math(EXPR y "${year} - 1")
    math(EXPR shifted_month "${m} + 9")
  else()
    set(y ${year})
    math(EXPR shifted_month "${m} - 3")
  endif()
  math(EXPR era "${y} / 400")
  math(EXPR year_of_era "${y} - ${era} * 400")
  math(EXPR day_of_year "(153 * ${shifted_month} + 2) / 5 + ${d} - 1")
  math(EXPR day_of_era "${year_of_era} * 365 + ${year_of_era} / 4 - ${year_of_era} / 100 + ${day_of_year}")
  math(EXPR days "${era} * 146097 + ${day_of_era} - 719468")
  math(EXPR weekday "(${days} + 4) % 7")
  set(weekdays Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET weekdays ${weekday} weekday_name)
  math(EXPR month_index "${m} - 1")
  list(GET months ${month_index} month_name)
  set(${out} "${weekday_name}, ${day} ${month_name} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()
