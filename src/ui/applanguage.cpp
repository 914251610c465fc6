#include "applanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace vap::ui {

LanguageState& appLanguage() {
    static LanguageState language;
    return language;
}

void setLingua(LanguageCode lingua) {
    appLanguage().Lingua = lingua;
    static QPointer<QTranslator> qtTexts;
    if (!QCoreApplication::instance())
        return;
    delete qtTexts; // removes itself from the application
    QLocale locale;
    if (lingua == Language::Portuguese)
        locale = QLocale(QLocale::Portuguese, QLocale::Brazil);
    else if (lingua == Language::Spanish)
        locale = QLocale(QLocale::Spanish, QLocale::Spain);
    else
        return;
    auto* translator = new QTranslator(QCoreApplication::instance());
    // qtbase_pt_BR, else qtbase_pt; qtbase_es.
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator))
        qtTexts = translator;
    else
        delete translator;
}

} // namespace vap::ui
