# Each folder of src/ is a static library, zorla_<folder>. Its sources do not see
# src/ as a whole: their include root is a directory of the build holding links to
# the folder itself and to the folders it uses (and those they use), so an include
# of a folder above it, or of one it does not name, fails to compile.
#
#   zorla_layer(<folder> [USES <folders below>...] [LIBS <other libraries>...])
#
# Called bottom up: a folder may only use folders declared before it. The order of
# the calls is ZORLA_LAYERS, which README.md's "Layout" lists too (a test checks).
set(ZORLA_LAYERS)

function(zorla_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "USES;LIBS")
  set(visible ${name})
  foreach(used IN LISTS arg_USES)
    if(NOT used IN_LIST ZORLA_LAYERS)
      message(FATAL_ERROR "src/${name} uses src/${used}, which is not a layer below it")
    endif()
    list(APPEND visible ${ZORLA_VISIBLE_${used}})
  endforeach()
  list(REMOVE_DUPLICATES visible)

  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  file(MAKE_DIRECTORY ${root})
  file(GLOB old_links LIST_DIRECTORIES true ${root}/*)
  if(old_links)
    file(REMOVE ${old_links})
  endif()
  foreach(folder IN LISTS visible)
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()

  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${name}/*.cpp)
  add_library(zorla_${name} STATIC ${sources})
  target_include_directories(zorla_${name} PRIVATE ${root} ${CMAKE_SOURCE_DIR}/res)
  # A header reached through the links still names itself src/<folder>/... in
  # __FILE__ (asserts, error reports), as it does in the tree.
  target_compile_options(zorla_${name} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-fmacro-prefix-map=${root}/=src/>)
  list(TRANSFORM arg_USES PREPEND zorla_)
  target_link_libraries(zorla_${name} PUBLIC ${arg_USES} ${arg_LIBS})

  set(ZORLA_VISIBLE_${name} ${visible} PARENT_SCOPE)
  list(TRANSFORM arg_USES REPLACE "^zorla_" "")
  set(ZORLA_USES_${name} ${arg_USES} PARENT_SCOPE)
  set(ZORLA_LAYERS ${ZORLA_LAYERS} ${name} PARENT_SCOPE)
endfunction()

# Every folder of src/ must be a layer: one left out would not be built at all.
function(zorla_check_layers)
  file(GLOB entries LIST_DIRECTORIES true RELATIVE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/src/*)
  foreach(entry IN LISTS entries)
    if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/src/${entry} AND NOT entry IN_LIST ZORLA_LAYERS)
      message(FATAL_ERROR "src/${entry} is not a layer: add a zorla_layer() call for it")
    endif()
  endforeach()
endfunction()
