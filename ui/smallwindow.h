// The program's small windows, About and the validity verdict: top-level
// windows with no owner, a title and a close button, no minimise or
// maximise buttons, which the keyboard closes too.
#pragma once

#include <QWidget>

namespace wavywall {

inline constexpr Qt::WindowFlags smallWindowFlags =
    Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

/// Places the window, before it first shows, beside the main window: to its
/// right where the screen has room, else to its left, else as near as the
/// screen allows. A window manager would otherwise put it wherever it puts
/// new windows (the screen's corner, under openbox).
void placeBeside(QWidget &window, const QWidget &main);

/// Escape, and Ctrl+W as for any document window, close the window: without
/// a window manager it has no other way to close.
void closeByKeyboard(QWidget &window);

} // namespace wavywall
