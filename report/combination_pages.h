#pragma once

// The pages of the load combinations at the end of the full report. For every position that has
// combinations: a table of them with their results, on as many pages as the rows need, and the
// full M-N domain of its section (both moment signs) with the combinations as points, drawn so
// that carried and failing points differ on black-and-white paper too.

#include <cstddef>
#include <functional>
#include <vector>

#include "archive/section_archive.h"
#include "engine/numtext.h"
#include "pagescript/page_script_writer.h"

namespace fortema::report {

inline constexpr const char* kGoverningLegend = "* combinazione più gravosa";
inline constexpr int kCombinationRowsPerPage = 50;

// The frame of each page belongs to the report: `start` writes "#startpage" and the header of
// the next page number, `end` the footer and "#endpage". Both return false when the writer failed.
struct PageFrame {
    std::function<bool()> start;
    std::function<bool()> end;
};

// The positions (0..99) that have combinations, in archive order.
std::vector<int> combinationPositions(const archive::SectionArchive& archive);

// The pages of one position with `rows` combinations: its table pages, and one more when its
// drawing (none for a section that cannot be checked) does not fit under the last rows.
int combinationPageCount(std::size_t rows, bool withDrawing);

// Writes the pages of every position that has combinations, each position from a new page;
// nothing when none has. False when the writer failed.
bool writeCombinationPages(pagescript::PageScriptWriter& writer, const archive::SectionArchive& archive,
                           const engine::numtext::NumberLocale& loc, const PageFrame& frame);

}  // namespace fortema::report
