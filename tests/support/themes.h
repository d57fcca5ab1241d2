// The desktop themes the widget tests dress the program in: Qt's own light
// palette and two dark ones, with the colours of KDE's Breeze Dark and of
// GNOME's Adwaita dark as Qt's platform themes hand them over.
#pragma once

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QStyle>
#include <QTest>

#include <utility>

namespace wavywall::testing {

enum class Theme { Light, BreezeDark, AdwaitaDark };

/// Each theme with its name, for the tests' data rows.
inline constexpr std::pair<const char *, Theme> themes[] = {{"light", Theme::Light},
                                                            {"Breeze Dark", Theme::BreezeDark},
                                                            {"Adwaita dark", Theme::AdwaitaDark}};

inline QPalette darkPalette(QColor window, QColor text, QColor base, QColor highlight) {
    QPalette p(text, window, window.lighter(130), window.darker(150), window.darker(120), text,
               text, base, window);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, text);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Button, window);
    return p;
}

inline QPalette paletteOf(Theme theme) {
    switch (theme) {
    case Theme::BreezeDark:
        return darkPalette(QColor(0x31363b), QColor(0xfcfcfc), QColor(0x232629), QColor(0x3daee9));
    case Theme::AdwaitaDark:
        return darkPalette(QColor(0x353535), QColor(0xeeeeec), QColor(0x2d2d2d), QColor(0x15539e));
    case Theme::Light:
        break;
    }
    return QApplication::style()->standardPalette();
}

/// Dresses the application in a theme for the life of the object.
struct ThemeScope {
    explicit ThemeScope(Theme theme) { QApplication::setPalette(paletteOf(theme)); }
    ~ThemeScope() { QApplication::setPalette(QApplication::style()->standardPalette()); }
    ThemeScope(const ThemeScope &) = delete;
    ThemeScope &operator=(const ThemeScope &) = delete;
};

} // namespace wavywall::testing

Q_DECLARE_METATYPE(wavywall::testing::Theme)
