# Environment of every test: no display but a screen of 1024 × 768, the smallest the dialogs
# are made for (the main window also fits 800 × 600, tried by its own test), and a real Spanish
# C-library locale so that any locale-dependent number conversion shows up here rather than on
# a user's machine.
set(ENDEUDAMIENTO_TEST_ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen:configfile=${PROJECT_SOURCE_DIR}/tests/support/offscreen-1024x768.json"
    LANG=es_ES.UTF-8 LC_ALL=es_ES.UTF-8)

# One test executable per folder; each is one CTest test run in the environment above.
# Tests labelled "slow" are left out by `ctest -LE slow`.
function(endeudamiento_add_test name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "SLOW" "" "")
    add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE project_options)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "${ENDEUDAMIENTO_TEST_ENVIRONMENT}"
        TIMEOUT 120)
    if(arg_SLOW)
        set_tests_properties(${name} PROPERTIES LABELS slow)
    endif()
endfunction()
