// The flow model's messages as the desktop shows them: an application-modal
// message box with the program's name as its title, no icon and one OK
// button, returning when the user has closed it.
#pragma once

#include "model/messenger.h"

class QWidget;

namespace wavywall {

class MessageBoxMessenger final : public Messenger {
public:
    explicit MessageBoxMessenger(QWidget &window);

    void MsgBox(std::u16string_view text) override;

private:
    QWidget &m_window;
};

} // namespace wavywall
