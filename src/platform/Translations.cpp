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

QLocale Translations::locale() {
    // Each translation names its own language, as Qt's own name their layout direction.
    const QLocale texts(QCoreApplication::translate(
        "Translations", "en", "the language of these texts as a locale name, such as de or pt_BR"));
    QLocale chosen = QLocale().language() == texts.language() ? QLocale() : texts;
    chosen.setNumberOptions(QLocale::OmitGroupSeparator);
    return chosen;
}
