// How the flow model tells the user something: one modal message, returning
// when the user has closed it. The window shows a message box; tests record.
#pragma once

#include <QString>

namespace wavywall {

class Messenger {
public:
    virtual ~Messenger() = default;
    virtual void MsgBox(const QString &text) = 0;

protected:
    Messenger() = default;
    Messenger(const Messenger &) = default;
    Messenger &operator=(const Messenger &) = default;
};

namespace messages {
inline const QString machOne = QStringLiteral(" Moo=1 için teori geçersiz");
inline const QString subsonic = QStringLiteral(" Moo<1 için teori geçersiz");
inline const QString tooLarge = QStringLiteral(" Girilen değer çok büyük");
} // namespace messages

} // namespace wavywall
