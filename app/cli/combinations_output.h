#pragma once

// The load combinations of one section as the command line shows them: a JSON array and rows of
// the project table, from the results the archive's check gives.

#include <iosfwd>
#include <string>
#include <vector>

#include "engine/load_combinations.h"
#include "engine/numtext.h"

namespace fortema::cli {

// [{"name", "N", "M", "Mu", "ratio", "load_factor", "campo", "status", "passes", "governing"}, ...];
// status is "passes", "fails" or "beyond_capacity".
std::string combinationsJson(const std::vector<engine::LoadCombination>& loads,
                             const engine::CombinationsResult& result);

// A ratio of the tables cut to two decimals; from a million up in a single's text, so that it
// keeps its width; "-" where it does not exist (M = 0, Md = 0).
std::string ratioCell(double ratio, const engine::numtext::NumberLocale& loc);

// One indented row per combination under its position, the governing one marked with "*".
void writeCombinationRows(const std::vector<engine::LoadCombination>& loads,
                          const engine::CombinationsResult& result, const engine::numtext::NumberLocale& loc,
                          std::ostream& out);

}  // namespace fortema::cli
