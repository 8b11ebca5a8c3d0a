# Warnings for the project's own targets; third-party headers come in as
# system includes and stay quiet.
function(scanbench_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Werror)
endfunction()
