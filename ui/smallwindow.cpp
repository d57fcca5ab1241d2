#include "ui/smallwindow.h"

#include <QShortcut>

namespace wavywall {

void closeByKeyboard(QWidget &window) {
    for (const QKeySequence &keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto *shortcut = new QShortcut(keys, &window);
        QObject::connect(shortcut, &QShortcut::activated, &window, &QWidget::close);
    }
}

} // namespace wavywall
