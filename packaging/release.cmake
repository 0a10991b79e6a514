# The release as the packaging changelog records it. Its newest entry must be the version in
# project(): the package, the manual pages and the AppStream release all show that version,
# and the entry's date is the release date. A new version needs a new changelog entry.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/changelog MMX_CHANGELOG_LINES)
list(GET MMX_CHANGELOG_LINES 0 MMX_CHANGELOG_HEAD)
if(NOT MMX_CHANGELOG_HEAD MATCHES "^mmx4210 \\(([^)]+)\\)")
  message(FATAL_ERROR "packaging/changelog: the first line names no version: ${MMX_CHANGELOG_HEAD}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog: the newest entry is ${CMAKE_MATCH_1}, the project is "
                      "${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION}")
endif()
# The first trailer line: " -- NAME <MAIL>  Mon, 07 Dec 2026 21:00:00 +0000".
foreach(line IN LISTS MMX_CHANGELOG_LINES)
  if(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    set(MMX_MONTHS Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND MMX_MONTHS ${CMAKE_MATCH_2} month)
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    if(month LESS 10)
      set(month "0${month}")
    endif()
    set(MMX_RELEASE_DATE "${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1}")
    break()
  endif()
endforeach()
if(NOT MMX_RELEASE_DATE)
  message(FATAL_ERROR "packaging/changelog: the newest entry has no trailer line with its date")
endif()
set(MMX_MAINTAINER "MMX4210 set-up tool maintainers <maintainers@mmx4210.invalid>")
