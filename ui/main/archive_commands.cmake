# The archive buttons, the file commands and the worked examples of the main window.
target_sources(ui_main PRIVATE
    archive_commands.cpp
    examples.cpp
)
