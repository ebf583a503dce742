# Adds every sub-folder of the current folder that has a CMakeLists.txt, so that a new
# tool, test group or benchmark needs no edit of its parent.
function(zep_add_subfolders)
  file(GLOB dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(dir IN LISTS dirs)
    if(EXISTS ${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
