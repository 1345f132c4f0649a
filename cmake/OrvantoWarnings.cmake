# Warnings high and fatal for our own code; third-party headers come in as
# -isystem and stay quiet.
function(orvanto_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wshadow
                         -Wno-missing-field-initializers)
endfunction()

if(ORVANTO_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
