# Checks that docs/architecture.md's table "| folder | uses |" names every layer
# with the folders its zorla_layer() line uses, in the build's order.
#   cmake -DPAGE=<architecture.md> -DUSES="<layer>=<a>,<b> ..." -P UsesInArchitecture.cmake
file(STRINGS ${PAGE} lines)
set(in_table FALSE)
set(listed)
foreach(line IN LISTS lines)
  if(line MATCHES "^\\| folder \\| uses \\|")
    set(in_table TRUE)
  elseif(in_table AND line MATCHES "^\\|---")
  elseif(in_table AND line MATCHES "^\\| ([a-z]+) \\|(.*)\\|$")
    set(layer ${CMAKE_MATCH_1})
    string(STRIP "${CMAKE_MATCH_2}" uses)
    string(REPLACE ", " "," uses "${uses}")
    list(APPEND listed "${layer}=${uses}")
  else()
    set(in_table FALSE)
  endif()
endforeach()

separate_arguments(USES)
if(NOT listed STREQUAL USES)
  string(JOIN "\n  " listed_text ${listed})
  string(JOIN "\n  " build_text ${USES})
  message(FATAL_ERROR "docs/architecture.md's table of who uses whom says\n  ${listed_text}\n"
                      "but the build has\n  ${build_text}")
endif()
