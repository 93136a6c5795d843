# The domain plot and the section sketches, checked on the recording surface and rendered to
# pictures for a person to look at.
add_executable(ui_main_plot_tests
    plot_main_test.cpp
    plot_frame_test.cpp
    plot_curves_test.cpp
    plot_sketch_test.cpp
    plot_render_test.cpp
)
target_link_libraries(ui_main_plot_tests PRIVATE ui_main GTest::gtest)
target_compile_definitions(ui_main_plot_tests PRIVATE FORTEMA_SCREENSHOT_DIR="${CMAKE_BINARY_DIR}/screenshots")
gtest_discover_tests(ui_main_plot_tests
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
