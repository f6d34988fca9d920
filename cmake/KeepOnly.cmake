# keep_only(DIR NAMES...): removes every file in DIR that NAMES does not list, what an
# earlier layout of the CD folder put there and this one no longer does.
function(keep_only dir)
  file(GLOB present RELATIVE ${dir} ${dir}/*)
  foreach(name ${present})
    if(NOT name IN_LIST ARGN)
      file(REMOVE ${dir}/${name})
    endif()
  endforeach()
endfunction()
