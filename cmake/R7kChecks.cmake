# Builds that check the program as it runs, each in a build tree of its own:
#   R7K_SANITIZE  everything with AddressSanitizer (with leak checking) and
#                 UndefinedBehaviorSanitizer, for scripts/test --sanitize;
#   R7K_FUZZ      the libFuzzer targets of fuzz/ (clang only), for scripts/fuzz.
# Any report of a sanitizer ends the program, so that it fails its test.
option(R7K_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(R7K_FUZZ "Build the libFuzzer targets in fuzz/ (needs clang)" OFF)

set(r7k_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all
                   -fno-omit-frame-pointer)
if(R7K_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "R7K_FUZZ needs clang, for example -DCMAKE_CXX_COMPILER=clang++-14")
    endif()
    # Coverage for libFuzzer in every library the targets use; the targets
    # themselves link libFuzzer's main.
    add_compile_options(${r7k_sanitizers} -fsanitize=fuzzer-no-link)
    add_link_options(${r7k_sanitizers})
elseif(R7K_SANITIZE)
    add_compile_options(${r7k_sanitizers})
    add_link_options(${r7k_sanitizers})
endif()
