# SPDX-License-Identifier: MIT
# vellora_add_test(NAME SOURCES file... [LIBS lib...] [QT])
#
# One executable per unit under test, registered with CTest. Core tests use GoogleTest;
# QT marks a QtTest test of views, run on the offscreen platform so it needs no display.
function(vellora_add_test name)
    cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_compile_definitions(${name} PRIVATE
        VELLORA_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
        VELLORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        VELLORA_BINARY_DIR="${PROJECT_BINARY_DIR}")
    if(ARG_QT)
        set_target_properties(${name} PROPERTIES AUTOMOC ON)
        target_link_libraries(${name} PRIVATE Qt6::Test)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock GTest::gtest_main)
        add_test(NAME ${name} COMMAND ${name})
    endif()
endfunction()
