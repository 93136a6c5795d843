#pragma once

// Windows-1252, the 8-bit code page of the project file and the page file, whatever the
// system's. A character outside it is written as "?", one per character. The five bytes the
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as the control characters of
// the same number and write back to the same byte, so every byte survives a round trip.

#include <string>
#include <string_view>

namespace fortema::engine {

std::string toWindows1252(std::u32string_view text);
std::u32string fromWindows1252(std::string_view bytes);

}  // namespace fortema::engine
