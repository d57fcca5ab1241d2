// Where everything of the main window stands, in twips. The frame's
// controls are measured from the frame, the title labels from the inner area
// of their plot box.
#pragma once

#include "ui/layouttable.h"

namespace wavywall::form1layout {

inline constexpr TwipRect clientArea{0, 0, 7380, 5280};

inline constexpr TwipRect Frame1{120, 240, 1695, 2295};
inline constexpr TwipRect HScroll_HbL{720, 1320, 735, 255};
inline constexpr TwipRect HScroll_Moo{720, 480, 735, 255};
inline constexpr TwipRect Text_Moo{120, 480, 615, 285};
inline constexpr TwipRect Text_HbL{120, 1320, 615, 285};
inline constexpr TwipRect Command1{240, 1680, 1215, 495};
inline constexpr TwipRect Label1{120, 240, 615, 255};
inline constexpr TwipRect Label2{120, 1080, 495, 255};

inline constexpr TwipRect Picture_basınç{2040, 2880, 5055, 2175};
inline constexpr TwipRect Label4{1800, 1920, 3255, 255};
inline constexpr TwipRect Picture_Akım{2040, 360, 5000, 2500};
inline constexpr TwipRect Label3{3960, 2280, 975, 255};

} // namespace wavywall::form1layout
