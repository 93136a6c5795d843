add_executable(report_tests
    main.cpp
    section_printout_test.cpp
    section_printout_pdf_test.cpp
)
target_link_libraries(report_tests PRIVATE report Qt6::Widgets Qt6::PrintSupport GTest::gtest)
target_compile_definitions(report_tests PRIVATE FORTEMA_TEST_OUTPUT="${CMAKE_CURRENT_BINARY_DIR}")
gtest_discover_tests(report_tests
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
