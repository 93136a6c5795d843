# Sources of the full project report: target_sources(report PRIVATE ...) and its links here.
