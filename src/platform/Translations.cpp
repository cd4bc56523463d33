#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

void Translations::install() {
    const QLocale locale = QLocale::system();
    auto* qt = new QTranslator(qApp);
    if (qt->load(locale, u"qtbase"_s, u"_"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    auto* brevimar = new QTranslator(qApp);
    if (brevimar->load(locale, u"brevimar"_s, u"_"_s, u":/i18n"_s))
        QCoreApplication::installTranslator(brevimar);
}
