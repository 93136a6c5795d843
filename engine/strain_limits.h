#pragma once

// The strain limits of the ultimate limit state, and the step in which a field traces a strain,
// shared by the rectangular and the circular section.

namespace fortema::engine {

// The compressed edge crushes at 3.5 per thousand.
inline constexpr double kCrushingStrain = 0.0035;
// The reinforcement in tension stops at 10 per thousand.
inline constexpr double kSteelStrainLimit = 0.01;
// A strain is traced a tenth of a thousandth at a time.
inline constexpr double kStrainStep = 0.0001;

}  // namespace fortema::engine
