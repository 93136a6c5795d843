# Tests of this area: add_executable, links and add_test here.
