#include "app/startup.h"

#include <QApplication>
#include <memory>

#include "app/dmunit.h"
#include "app/foparametry.h"
#include "app/fouvod.h"
#include "app/single_instance.h"
#include "app/splash_window.h"
#include "platform/messages.h"

namespace {

const QString kApplicationTitle = QStringLiteral("Harvel 1.0");

void ShowSplashAtOnce(TSplash& splash) {
    splash.show();
    splash.repaint();
    QApplication::processEvents();
}

}  // namespace

int RunHarvel(QApplication& application) {
    SingleInstanceLock lock;
    if (!lock.Acquire()) {
        ReportRunningCopy();
        return 0;
    }
    QApplication::setApplicationName(kApplicationTitle);
    platform::SetDefaultCaption(kApplicationTitle);

    auto splash = std::make_unique<TSplash>();
    ShowSplashAtOnce(*splash);

    // The settings form is created after the launcher, as the launcher is the
    // first form; the launcher only needs it when its button is pressed.
    auto launcher = std::make_unique<TFoUvod>(nullptr);
    auto parametry = std::make_unique<TFoParametry>();
    launcher->SetParametryForm(parametry.get());
    auto dataModule = std::make_unique<TDM1>();

    QObject::connect(parametry.get(), &TFoParametry::Applied,
                     [module = dataModule.get()] { module->ApplyUnitFormats(); });

    splash->hide();
    splash.reset();
    QObject::connect(launcher.get(), &TFoUvod::Closed, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    launcher->show();
    return application.exec();
}
