// How screen readers see the program's own widgets. Qt describes a widget by
// the first class of its ancestry that it knows; for ours that would be a
// generic frame, a scroll bar speaking its raw position, and a nameless
// filler. The factory installed here says instead: a plot box is an image
// whose description tells what is drawn (ui/plotdescriber.h), an input bar speaks the input value
// it gives (1.02, not 102), and the About window is a dialog whose lines are
// its text.
#pragma once

namespace wavywall {

/// Makes Qt ask this program first for the accessible interfaces of its
/// widgets. Qt keeps one list of factories for the whole process and ignores
/// a factory it already has, so every window calls this before it builds its
/// widgets.
void installAccessibility();

} // namespace wavywall
