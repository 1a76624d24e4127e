#include "platform/widgets/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

bool InstallQtCzechTranslations(QCoreApplication& application) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    // qtbase carries the widgets' texts; the translator lives as long as the application.
    auto* translator = new QTranslator(&application);
    if (!translator->load(czech, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace platform
