# The fuzz build: clang's libFuzzer with the address and undefined-behaviour sanitizers.
#
# Everything compiled in this build carries libFuzzer's coverage instrumentation and both
# sanitizers, so the fuzzers see and check the platform layer and the package as well as their
# own code; only the fuzz targets link libFuzzer's main (fuzz/CMakeLists.txt). The normal gcc
# builds never include this file.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "VORBL_BUILD_FUZZERS needs clang (libFuzzer): configure with the `fuzz` "
                      "preset or -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14")
endif()
if(WIN32)
  message(FATAL_ERROR "The fuzz targets run on the platform layer, which Windows builds do not use")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
