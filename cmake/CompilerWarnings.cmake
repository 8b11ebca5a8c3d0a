# Warnings for the project's own targets; third-party headers come in as
# system includes and stay quiet. SCANBENCH_WERROR makes them errors (the
# test script and CI turn it on; a plain user build with another compiler
# version should not fail on a new warning).
function(scanbench_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow)
  if(SCANBENCH_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
    # g++ 12's optimiser reports -Wrestrict for short std::string
    # concatenations that cannot overlap; shown, but not fatal there.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-error=restrict)
    endif()
  endif()
endfunction()

# The toolkit-free libraries also say every narrowing, sign change and cast
# out loud. Their own sources only: the flags stay off their users.
function(scanbench_strict_conversions target)
  target_compile_options(${target} PRIVATE -Wconversion -Wsign-conversion -Wold-style-cast)
endfunction()
