# Project-wide compiler settings: warnings, optional -Werror and sanitizers.
add_compile_options(-Wall -Wextra -Wnon-virtual-dtor -Woverloaded-virtual)
if(TARNEX_WERROR)
  add_compile_options(-Werror)
endif()
if(TARNEX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
