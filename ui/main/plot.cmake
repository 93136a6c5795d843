# The domain plot and the section sketches, drawn on a Surface.
target_sources(ui_main PRIVATE
    domain_plot.cpp
    section_sketch.cpp
)
