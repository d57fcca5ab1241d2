#include "ui/qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace wavywall {

// qtbase holds the texts of the widgets, the dialogs and the print support.
bool installQtTurkish(QCoreApplication &app) {
    auto *translator = new QTranslator(&app);
    if (!translator->load(u"qtbase_tr"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace wavywall
