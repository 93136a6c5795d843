# The main window, the start window and the archive behind the main window, run under the C and
# the Italian locale.
add_executable(ui_main_window_tests
    ${PROJECT_SOURCE_DIR}/tests/ui/aux/main.cpp
    window_start_test.cpp
    window_inputs_test.cpp
    window_calcola_test.cpp
    archive_window_test.cpp
    report_command_test.cpp
)
target_link_libraries(ui_main_window_tests PRIVATE ui_main ui_test_support Qt6::Test)
# Pictures of the windows for a person to look at; no test compares them.
target_compile_definitions(ui_main_window_tests PRIVATE FORTEMA_SCREENSHOT_DIR="${CMAKE_BINARY_DIR}/screenshots")

add_test(NAME ui_main_window_tests COMMAND ui_main_window_tests)
add_test(NAME ui_main_window_tests_italian COMMAND ui_main_window_tests)
set_tests_properties(ui_main_window_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
set_tests_properties(ui_main_window_tests_italian PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;FORTEMA_TEST_LOCALE=it")
