# The main window, its key filters and the start window.
target_sources(ui_main PRIVATE
    form1.cpp
    form1_drawing.cpp
    form1_inputs.cpp
    frm_splash.cpp
    key_filters.cpp
)
