# Warnings for the project's own targets, errors when VORBL_WARNINGS_AS_ERRORS is on.
function(vorbl_set_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${VORBL_WARNINGS_AS_ERRORS}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                           $<$<BOOL:${VORBL_WARNINGS_AS_ERRORS}>:-Werror>)
  endif()
endfunction()
