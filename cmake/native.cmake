# Native build: the core with its unit tests under ASan/UBSan, and with clang
# the libFuzzer targets; or the core with the concurrency tests under TSan;
# or, without sanitizers, the benchmarks.
# TSan cannot share a build with ASan, so the sanitizer is a choice. An
# older cache holds the former boolean: ON still means address.
set(WREN_SANITIZE address CACHE STRING "Sanitizers of the native build: address (ASan+UBSan), thread (TSan) or OFF")
set_property(CACHE WREN_SANITIZE PROPERTY STRINGS address thread OFF)
if(WREN_SANITIZE STREQUAL "thread")
    set(WREN_SANITIZER thread)
    set(WREN_SAN_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
elseif(WREN_SANITIZE)
    set(WREN_SANITIZER address)
    set(WREN_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
else()
    set(WREN_SANITIZER none)
endif()
set(WREN_FUZZ OFF)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang" AND WREN_SANITIZER STREQUAL "address")
    set(WREN_FUZZ ON)
endif()

if(NOT WREN_SANITIZER STREQUAL "none")
    target_compile_options(wren_flags INTERFACE ${WREN_SAN_FLAGS})
    target_link_options(wren_flags INTERFACE ${WREN_SAN_FLAGS})
    if(WREN_FUZZ)
        target_compile_options(wren_flags INTERFACE -fsanitize=fuzzer-no-link)
    endif()
endif()
if(WREN_SANITIZER STREQUAL "address")
    # Unoptimised code under ASan runs several times slower than at -O1,
    # which costs the tests time and the fuzzers most of their reach; -O1
    # keeps the stack traces whole.
    target_compile_options(wren_flags INTERFACE -O1)
endif()

find_package(GTest REQUIRED)

include(GoogleTest)

# Several devices rendering at once and several property sheets open at
# once. The ASan build runs these tests too: they are few and cheap, and
# there a device's buffers outliving its job or a neighbour's are caught.
file(GLOB WREN_CONCURRENCY_TESTS CONFIGURE_DEPENDS tests/concurrency/*.cpp)
add_executable(wren_concurrency_tests ${WREN_CONCURRENCY_TESTS})
target_link_libraries(wren_concurrency_tests PRIVATE wren_core GTest::gtest_main)
target_include_directories(wren_concurrency_tests PRIVATE tests/concurrency tests/native)
target_compile_definitions(wren_concurrency_tests PRIVATE WREN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

if(WREN_SANITIZER STREQUAL "thread")
    # The TSan build is for the concurrency tests alone; a race fails the
    # test at its first report.
    gtest_discover_tests(wren_concurrency_tests DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "TSAN_OPTIONS=halt_on_error=1 second_deadlock_stack=1 exitcode=66")
else()
    gtest_discover_tests(wren_concurrency_tests DISCOVERY_MODE PRE_TEST)
    add_subdirectory(tools/host)
    file(GLOB WREN_NATIVE_TESTS CONFIGURE_DEPENDS tests/native/*.cpp)
    add_executable(wren_native_tests ${WREN_NATIVE_TESTS})
    target_link_libraries(wren_native_tests PRIVATE wren_core wren_host_core GTest::gtest_main)
    target_include_directories(wren_native_tests PRIVATE tests/native)
    target_compile_definitions(wren_native_tests PRIVATE WREN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    gtest_discover_tests(wren_native_tests DISCOVERY_MODE PRE_TEST)
endif()

if(WREN_FUZZ)
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

# The benchmarks want an optimised build without sanitizers (the
# "bench" preset).
if(WREN_SANITIZER STREQUAL "none")
    find_package(benchmark REQUIRED)
    add_executable(block_path_bench bench/block_path_bench.cpp)
    target_link_libraries(block_path_bench PRIVATE wren_core benchmark::benchmark)
    target_include_directories(block_path_bench PRIVATE tests/native)
    add_executable(feature_mapping_bench bench/feature_mapping_bench.cpp)
    target_link_libraries(feature_mapping_bench PRIVATE wren_core benchmark::benchmark)
    target_include_directories(feature_mapping_bench PRIVATE tests/native)
    add_executable(encrypt_block_bench bench/encrypt_block_bench.cpp)
    target_link_libraries(encrypt_block_bench PRIVATE wren_core benchmark::benchmark)
    target_include_directories(encrypt_block_bench PRIVATE tests/native)
    add_executable(render_threads_bench bench/render_threads_bench.cpp)
    target_link_libraries(render_threads_bench PRIVATE wren_core benchmark::benchmark)
    target_include_directories(render_threads_bench PRIVATE tests/native tests/concurrency)
endif()
