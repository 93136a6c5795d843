# Tests of the full project report: its pages read back from the page file, and as a PDF.
target_sources(report_tests PRIVATE full_report_test.cpp)
