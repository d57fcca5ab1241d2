// The core speaks UTF-16 strings, QTest speaks QString: conversions for
// tests that feed the core from data tables and compare what it said.
#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

namespace wavywall::testing {

inline std::u16string u16(const QString &text) {
    return text.toStdU16String();
}

inline QString qstr(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

inline QStringList qstrList(const std::vector<std::u16string> &texts) {
    QStringList list;
    for (const std::u16string &text : texts) {
        list.append(qstr(text));
    }
    return list;
}

} // namespace wavywall::testing
