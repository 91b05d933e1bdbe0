# Our own targets compile clean with the full warning set.
function(kalvex_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(KALVEX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
