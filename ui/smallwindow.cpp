#include "ui/smallwindow.h"

#include <QScreen>
#include <QShortcut>

#include <algorithm>

namespace wavywall {

void placeBeside(QWidget &window, const QWidget &main) {
    // Between two windows' frames, in pixels.
    constexpr int gap = 8;
    const QRect beside = main.frameGeometry();
    const QRect screen = main.screen()->availableGeometry();
    // The frame's size is known only once shown: the client's, with room for
    // a title bar, is near enough to choose a side.
    const QSize size = window.frameGeometry().size().expandedTo(window.size());
    const int right = beside.right() + 1 + gap;
    const int left = beside.left() - gap - size.width();
    const int rightmost = std::max(screen.left(), screen.right() + 1 - size.width());
    // Where neither side has room, the window stands at the screen's right
    // edge, over the main window's plots rather than its inputs.
    const int x = right <= rightmost ? right : (left >= screen.left() ? left : rightmost);
    const int y = std::clamp(beside.top(), screen.top(),
                             std::max(screen.top(), screen.bottom() + 1 - size.height()));
    window.move(x, y);
}

void closeByKeyboard(QWidget &window) {
    for (const QKeySequence &keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto *shortcut = new QShortcut(keys, &window);
        QObject::connect(shortcut, &QShortcut::activated, &window, &QWidget::close);
    }
}

} // namespace wavywall
