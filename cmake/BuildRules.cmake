# Build rules shared by every target: link against marevo_build_rules.
add_library(marevo_build_rules INTERFACE)
target_compile_features(marevo_build_rules INTERFACE cxx_std_20)
target_compile_options(marevo_build_rules INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(marevo_build_rules INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_USE_QSTRINGBUILDER
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_KEYWORDS)
if(MAREVO_WERROR)
    target_compile_options(marevo_build_rules INTERFACE -Werror)
endif()
if(MAREVO_SANITIZE)
    target_compile_options(marevo_build_rules INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                        -fno-sanitize-recover=undefined)
    target_link_options(marevo_build_rules INTERFACE -fsanitize=address,undefined)
endif()
if(MAREVO_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "MAREVO_FUZZ needs clang (libFuzzer); use the fuzz preset")
    endif()
    # Coverage feedback for everything the targets reach; each target links the fuzzer's main.
    target_compile_options(marevo_build_rules INTERFACE -fsanitize=fuzzer-no-link)
endif()

# marevo_add_library(NAME SOURCES ... LIBS ...): a static library for one folder.
function(marevo_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(marevo_${name} STATIC ${ARG_SOURCES})
    target_include_directories(marevo_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(marevo_${name} PUBLIC marevo_build_rules ${ARG_LIBS})
endfunction()

# marevo_add_test(NAME SOURCES ... LIBS ...): one Qt Test executable, registered with CTest, run headless.
function(marevo_add_test name)
    # SESSION_BUS: the test runs on a private session bus of its own.
    cmake_parse_arguments(ARG "SESSION_BUS" "" "SOURCES;LIBS" ${ARGN})
    add_executable(test_${name} ${ARG_SOURCES})
    target_link_libraries(test_${name} PRIVATE marevo_build_rules Qt6::Test ${ARG_LIBS})
    target_compile_definitions(test_${name} PRIVATE MAREVO_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
    if(ARG_SESSION_BUS)
        add_test(NAME ${name} COMMAND dbus-run-session -- $<TARGET_FILE:test_${name}>)
    else()
        add_test(NAME ${name} COMMAND test_${name})
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=Europe/Warsaw;LC_ALL=C.UTF-8"
                                            TIMEOUT 300)
endfunction()
