# Compile settings shared by every target of ours (not by GoogleTest).
add_library(zarvik_options INTERFACE)

# Sources are UTF-8; every text literal is stored in code page 936, the ANSI
# code page of the Chinese Windows the program runs on. The host build stores
# the same bytes, so both builds test the same texts.
# (For C and C++ only: resource scripts go through windres, which knows none of these.)
set(zarvik_compile_flags -finput-charset=UTF-8 -fexec-charset=CP936
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror)
target_compile_options(zarvik_options INTERFACE
  "$<$<COMPILE_LANGUAGE:C,CXX>:${zarvik_compile_flags}>")

if(WIN32)
  # ANSI entry points throughout; nothing from the headers we do not use.
  target_compile_definitions(zarvik_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  target_compile_options(zarvik_options INTERFACE $<$<COMPILE_LANGUAGE:C,CXX>:-UUNICODE -U_UNICODE>)
  # One self-contained exe: the C and C++ runtimes are linked in, so it
  # needs only the DLLs that every Windows has.
  target_link_options(zarvik_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()

if(ZARVIK_SANITIZE AND NOT WIN32)
  target_compile_options(zarvik_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(zarvik_options INTERFACE -fsanitize=address,undefined)
endif()
