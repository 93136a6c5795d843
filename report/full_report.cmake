# The full project report: written through the page-script writer from the archive.
target_sources(report PRIVATE full_report.cpp)
target_link_libraries(report PUBLIC archive pagescript)
