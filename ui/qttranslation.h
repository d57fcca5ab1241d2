// Qt's own texts in the window's language: the buttons of the message box,
// the file and print dialogs, the text boxes' context menus. The main window
// speaks Turkish whatever the desktop's language, so Qt's Turkish
// translations (Debian's qt6-translations-l10n, which the package depends on)
// are loaded always, not by the locale.
#pragma once

class QCoreApplication;

namespace wavywall {

/// Installs Qt's Turkish translations into the application; false when they
/// are not installed, and Qt's texts stay English.
bool installQtTurkish(QCoreApplication &app);

} // namespace wavywall
