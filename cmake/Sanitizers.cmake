# One switch builds every target with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report aborts the process so that a test fails.
if(SCANBENCH_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
