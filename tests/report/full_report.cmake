# Tests of the full project report: add_executable, links and add_test here.
