#include "ui/messageboxmessenger.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace wavywall {

MessageBoxMessenger::MessageBoxMessenger(QWidget &window)
    : m_window(window) {}

void MessageBoxMessenger::MsgBox(std::u16string_view text) {
    const QString message =
        QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), message,
                    QMessageBox::Ok, &m_window);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace wavywall
