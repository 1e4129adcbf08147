# A quoted include is looked up first beside the including file, so
# "../<folder>/<file>" would reach any folder of src/ past the layers' include
# roots. Fails when a source of src/ includes that way.
#   cmake -DSOURCES=<src dir> -P IncludesStayInTheirLayer.cmake
file(GLOB_RECURSE files ${SOURCES}/*.cpp ${SOURCES}/*.h)
set(found)
foreach(file IN LISTS files)
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"\\.\\.")
  foreach(include IN LISTS includes)
    list(APPEND found "${file}: ${include}")
  endforeach()
endforeach()
if(found)
  list(JOIN found "\n  " found_text)
  message(FATAL_ERROR "includes that climb out of their folder:\n  ${found_text}")
endif()
