# Native build: the core with its unit tests under ASan/UBSan, and with clang
# the libFuzzer targets.
option(WREN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
set(WREN_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
set(WREN_FUZZ OFF)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set(WREN_FUZZ ON)
endif()

if(WREN_SANITIZE)
    target_compile_options(wren_core PUBLIC ${WREN_SAN_FLAGS})
    target_link_options(wren_core PUBLIC ${WREN_SAN_FLAGS})
    if(WREN_FUZZ)
        target_compile_options(wren_core PUBLIC -fsanitize=fuzzer-no-link)
    endif()
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_subdirectory(tools/host)

file(GLOB WREN_NATIVE_TESTS CONFIGURE_DEPENDS tests/native/*.cpp)
add_executable(wren_native_tests ${WREN_NATIVE_TESTS})
target_link_libraries(wren_native_tests PRIVATE wren_core wren_host_core GTest::gtest_main)
target_include_directories(wren_native_tests PRIVATE tests/native)
target_compile_definitions(wren_native_tests PRIVATE WREN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
include(GoogleTest)
gtest_discover_tests(wren_native_tests DISCOVERY_MODE PRE_TEST)

if(WREN_FUZZ AND WREN_SANITIZE)
    file(GLOB WREN_FUZZERS CONFIGURE_DEPENDS fuzz/fuzz_*.cpp)
    foreach(src ${WREN_FUZZERS})
        get_filename_component(name ${src} NAME_WE)
        add_executable(${name} ${src})
        target_link_libraries(${name} PRIVATE wren_core wren_host_core)
        target_include_directories(${name} PRIVATE tests/native)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        list(APPEND WREN_FUZZ_TARGETS ${name})
    endforeach()
    add_custom_target(fuzzers DEPENDS ${WREN_FUZZ_TARGETS})
endif()

# The per-block benchmark wants an optimised build without sanitizers (the
# "bench" preset).
if(NOT WREN_SANITIZE)
    find_package(benchmark REQUIRED)
    add_executable(block_path_bench bench/block_path_bench.cpp)
    target_link_libraries(block_path_bench PRIVATE wren_core benchmark::benchmark)
    target_include_directories(block_path_bench PRIVATE tests/native)
endif()
