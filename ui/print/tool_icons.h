#pragma once

// The pictures of the preview's tool buttons that the style has no standard icon for,
// as 16 x 16 XPM images.

namespace fortema::ui::icons {

// clang-format off
inline const char* const kZoomInIcon[] = {
    "16 16 5 1",
    "  c None",
    ". c #000000",
    "b c #000080",
    "h c #804000",
    "w c #FFFFFF",
    "                ",
    "   ......       ",
    "  ..wwww..      ",
    " ..wwbwww..     ",
    " .wwwbwwww.     ",
    " .wwwbwwww.     ",
    " .wbbbbbbw.     ",
    " .wwwbwwww.     ",
    " ..wwbwww..     ",
    "  ..wwww..hh    ",
    "   ......hhhh   ",
    "          hhhh  ",
    "           hhhh ",
    "            hhhh",
    "             hhh",
    "              hh"
};

inline const char* const kZoomOutIcon[] = {
    "16 16 5 1",
    "  c None",
    ". c #000000",
    "b c #000080",
    "h c #804000",
    "w c #FFFFFF",
    "                ",
    "   ......       ",
    "  ..wwww..      ",
    " ..wwwwww..     ",
    " .wwwwwwww.     ",
    " .wwwwwwww.     ",
    " .wbbbbbbw.     ",
    " .wwwwwwww.     ",
    " ..wwwwww..     ",
    "  ..wwww..hh    ",
    "   ......hhhh   ",
    "          hhhh  ",
    "           hhhh ",
    "            hhhh",
    "             hhh",
    "              hh"
};

inline const char* const kPrintIcon[] = {
    "16 16 5 1",
    "  c None",
    ". c #000000",
    "G c #00C000",
    "g c #C0C0C0",
    "w c #FFFFFF",
    "                ",
    "    ........    ",
    "    .wwwwww.    ",
    "    .wwwwww.    ",
    "    .wwwwww.    ",
    "    .wwwwww.    ",
    " .............. ",
    " .gggggggggggg. ",
    " .ggggggggggGg. ",
    " .gggggggggggg. ",
    " .gg.wwwwww.gg. ",
    " ....wwwwww.... ",
    "    .w....w.    ",
    "    .wwwwww.    ",
    "    ........    ",
    "                "
};

inline const char* const kPrinterSetupIcon[] = {
    "16 16 5 1",
    "  c None",
    ". c #000000",
    "g c #C0C0C0",
    "w c #FFFFFF",
    "y c #FFC000",
    "                ",
    "    ........    ",
    "    .wwwwww.    ",
    "    .wwwwww.    ",
    "    .wwwwww.    ",
    "    .wwwwww.    ",
    " .............. ",
    " .gggggggggggg. ",
    " .gggggggg.g.g. ",
    " .ggggggg..y... ",
    " .gg.www..yyy.. ",
    " ....wwwwyy.yy. ",
    "    .w....yyy.. ",
    "    .wwww..y..  ",
    "    .........   ",
    "                "
};
// clang-format on

}  // namespace fortema::ui::icons
