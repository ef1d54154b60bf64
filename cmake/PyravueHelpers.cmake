# Shared build helpers.
include(GoogleTest)

set(PYRAVUE_SOURCE_INCLUDE ${PROJECT_SOURCE_DIR}/include)
# use_sigaltstack=0: the LLVM inside PoCL installs its own alternate signal
# stack on every thread that loads the OpenCL runtime, and ASan then fails to
# unmap its own one when such a thread exits.
set(PYRAVUE_SANITIZER_ENV
    "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:use_sigaltstack=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0")
# A ThreadSanitizer build stops a test at its first report.
set(PYRAVUE_TSAN_OPTIONS
    "halt_on_error=1:second_deadlock_stack=1:suppressions=${PROJECT_SOURCE_DIR}/cmake/tsan.supp")
if(PYRAVUE_TSAN)
    set(PYRAVUE_SANITIZER_ENV "TSAN_OPTIONS=${PYRAVUE_TSAN_OPTIONS}")
endif()

# pyravue_test_compile_options(<target>)
# The long functions that test macros expand to cost g++ most of a test
# file's compile time: optimising them, tracking where their variables live
# and, under the sanitizers, poisoning each temporary's stack slot after its
# scope. Test programs go without variable-location tracking, and the files
# in tests/ folders are optimised only as far as debugging allows (-Og) and
# keep their temporaries' slots. Stack traces and line numbers stay, and the
# code under test keeps its optimisation and every check.
function(pyravue_test_compile_options target)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        return()
    endif()
    target_compile_options(${target} PRIVATE -fno-var-tracking-assignments)
    set(options -Og)
    if(PYRAVUE_SANITIZE)
        list(APPEND options -fno-sanitize-address-use-after-scope)
    endif()
    get_target_property(sources ${target} SOURCES)
    foreach(source ${sources})
        get_filename_component(path ${source} ABSOLUTE)
        file(RELATIVE_PATH path ${PROJECT_SOURCE_DIR} ${path})
        if(path MATCHES "/tests/")
            set_property(SOURCE ${source} APPEND PROPERTY COMPILE_OPTIONS ${options})
        endif()
    endforeach()
endfunction()

# pyravue_test_launcher(<target>)
# Under AddressSanitizer a test program runs through a script that runs it
# once more when its tests passed but the leak checker itself crashed at exit
# (see the script); ctest and the test discovery both launch it that way.
function(pyravue_test_launcher target)
    if(PYRAVUE_SANITIZE)
        set_target_properties(${target} PROPERTIES
            CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/cmake/rerun_after_leak_scan_crash.sh)
    endif()
endfunction()

# pyravue_add_gtest(<name> SOURCES ... LIBS ...)
# A GoogleTest executable whose cases each become a ctest test.
function(pyravue_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    pyravue_test_compile_options(${name})
    pyravue_test_launcher(${name})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/testsupport)
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${PYRAVUE_BIN_DIR}
        DISCOVERY_TIMEOUT 120
        PROPERTIES ENVIRONMENT "${PYRAVUE_SANITIZER_ENV}" TIMEOUT 300)
    # The discovered tests receive only the first entry of a list-valued
    # property, so the whole sanitizer environment is set again once ctest has
    # read the discovered test names.
    set(environment_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
    file(WRITE ${environment_file}
        "foreach(test IN LISTS ${name}_TESTS)\n"
        "  set_tests_properties(\"\${test}\" PROPERTIES ENVIRONMENT \"${PYRAVUE_SANITIZER_ENV}\")\n"
        "endforeach()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${environment_file})
endfunction()

# Adds every direct subfolder of <dir> that has a CMakeLists.txt, in name order,
# so that a new library, tool, fuzz or bench folder needs no edit here.
function(pyravue_add_subdirectories dir)
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${dir} ${dir}/*)
    list(SORT children)
    foreach(child ${children})
        if(EXISTS ${dir}/${child}/CMakeLists.txt)
            add_subdirectory(${dir}/${child})
        endif()
    endforeach()
endfunction()
