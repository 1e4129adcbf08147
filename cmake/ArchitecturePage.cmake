# Checks docs/architecture.md against the build, so the page cannot drift:
# - the floor sketch names every layer once, top down, each on its floor (one
#   above the highest floor of the folders it uses; base and xml are floor 0);
# - the table "| folder | uses |" names every layer with the folders its
#   zorla_layer() line uses, in the build's order;
# - the sentence "The core is ..." names the core folders of cmake/ZorlaCore.cmake.
#   cmake -DPAGE=<architecture.md> -DUSES="<layer>=<a>,<b> ..." -DFLOORS="<layer>=<n> ..."
#         -DCORE="<layer> ..." -P ArchitecturePage.cmake
file(STRINGS ${PAGE} lines)
separate_arguments(USES)
separate_arguments(FLOORS)
separate_arguments(CORE)
set(problems)

# The sketch: "  floor <n>   <folder>   ..." opens a floor, "            <folder>   ..."
# adds a folder to it; other lines of the block go on describing.
set(in_sketch FALSE)
set(sketched)
set(floor "")
foreach(line IN LISTS lines)
  if(line MATCHES "^```")
    if(in_sketch)
      break()
    endif()
    if(NOT sketched AND floor STREQUAL "")
      set(in_sketch TRUE)
    endif()
  elseif(in_sketch AND line MATCHES "^  floor ([0-9]+) +([a-z]+)( |$)")
    set(floor ${CMAKE_MATCH_1})
    list(APPEND sketched "${CMAKE_MATCH_2}=${floor}")
  elseif(in_sketch AND line MATCHES "^            ([a-z]+)( |$)")
    list(APPEND sketched "${CMAKE_MATCH_1}=${floor}")
  endif()
endforeach()
set(expected_sketch ${FLOORS})
list(REVERSE expected_sketch)
list(SORT sketched COMPARE STRING)
list(SORT expected_sketch COMPARE STRING)
if(NOT sketched STREQUAL expected_sketch)
  string(JOIN " " a ${sketched})
  string(JOIN " " b ${expected_sketch})
  list(APPEND problems "the floor sketch has\n  ${a}\nbut the build's floors are\n  ${b}")
endif()

# The table.
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
if(NOT listed STREQUAL USES)
  string(JOIN "\n  " a ${listed})
  string(JOIN "\n  " b ${USES})
  list(APPEND problems "the table of who uses whom says\n  ${a}\nbut the build has\n  ${b}")
endif()

# The core.
string(JOIN "`, `" core_text ${CORE})
set(core_sentence "The core is `${core_text}`")
string(JOIN " " page_text ${lines})
string(FIND "${page_text}" "${core_sentence}" at)
if(at EQUAL -1)
  list(APPEND problems "the page does not say \"${core_sentence}\"")
endif()

if(problems)
  string(JOIN "\n" text ${problems})
  message(FATAL_ERROR "docs/architecture.md: ${text}")
endif()
