# The main window, its key filters and the start window.
target_sources(ui_main PRIVATE
    archive_commands.cpp
    examples.cpp
    form1.cpp
    form1_drawing.cpp
    form1_inputs.cpp
    form1_positions.cpp
    main_window.cpp
    frm_splash.cpp
    key_filters.cpp
)
