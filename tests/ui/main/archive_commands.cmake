# The archive buttons, the file commands, the worked examples and the full report of the main window.
add_executable(ui_main_archive_tests
    ${PROJECT_SOURCE_DIR}/tests/ui/aux/main.cpp
    archive_browse_test.cpp
    archive_file_test.cpp
    archive_examples_test.cpp
    report_command_test.cpp
)
target_link_libraries(ui_main_archive_tests PRIVATE ui_main ui_test_support Qt6::Test)

add_test(NAME ui_main_archive_tests COMMAND ui_main_archive_tests)
add_test(NAME ui_main_archive_tests_italian COMMAND ui_main_archive_tests)
set_tests_properties(ui_main_archive_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
set_tests_properties(ui_main_archive_tests_italian PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;FORTEMA_TEST_LOCALE=it")
