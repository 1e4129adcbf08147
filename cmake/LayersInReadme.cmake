# Checks that README.md's "Layout" section lists the folders of src/ in the
# build's layer order (ZORLA_LAYERS, bottom up).
#   cmake -DREADME=<README.md> -DLAYERS="<folder> <folder> ..." -P LayersInReadme.cmake
file(STRINGS ${README} lines)
set(in_layout FALSE)
set(listed)
foreach(line IN LISTS lines)
  if(line MATCHES "^## ")
    if(line STREQUAL "## Layout")
      set(in_layout TRUE)
    else()
      set(in_layout FALSE)
    endif()
  elseif(in_layout AND line MATCHES "^    src/([a-z]+)/ ")
    list(APPEND listed ${CMAKE_MATCH_1})
  endif()
endforeach()

separate_arguments(LAYERS)
if(NOT listed STREQUAL LAYERS)
  string(JOIN " " listed_text ${listed})
  string(JOIN " " build_text ${LAYERS})
  message(FATAL_ERROR "README.md's Layout lists the layers as\n  ${listed_text}\n"
                      "but the build has them as\n  ${build_text}")
endif()
