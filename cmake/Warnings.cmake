# Every target of the project is built with the same warnings; they are fixed, not silenced.
function(vessarine_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
endfunction()
