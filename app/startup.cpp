#include "app/startup.h"

#include <QApplication>
#include <memory>

#include "app/automatic_backup.h"
#include "app/database_address.h"
#include "app/dmunit.h"
#include "app/first_start.h"
#include "app/foparametry.h"
#include "app/foupozorneni.h"
#include "app/fouvod.h"
#include "app/parametry.h"
#include "app/server_login.h"
#include "app/single_instance.h"
#include "app/splash_window.h"
#include "platform/folders.h"
#include "platform/messages.h"
#include "platform/store/backup.h"
#include "platform/store/data_folder_lock.h"
#include "records/diary/due_reading.h"

namespace {

const QString kApplicationTitle = QStringLiteral("Harvel 1.0");

void ShowSplashAtOnce(TSplash& splash) {
    splash.show();
    splash.repaint();
    QApplication::processEvents();
}

}  // namespace

int RunHarvel(QApplication& application, const RecordSheetFactory& recordSheet,
              const SpecialSelectionsFactory& selections) {
    SingleInstanceLock lock;
    if (!lock.Acquire()) {
        ReportRunningCopy();
        return 0;
    }
    QApplication::setApplicationName(kApplicationTitle);
    platform::SetDefaultCaption(kApplicationTitle);
    // The name a refused writer of the data folder shows.
    platform::SetDataLockHolderName(QStringLiteral("program Harvel"));
    WelcomeInstalledProgramUser();

    auto splash = std::make_unique<TSplash>();
    ShowSplashAtOnce(*splash);
    // What is due is read beside the whole rest of the start: the opening of
    // the tables and the building of the windows.
    // A club's server (Harvel.INI [Databaze]) is logged into first.
    const std::optional<ServerSettings> server = ReadServerSettings(SettingsFilePath());
    const QString address = server ? LoginAddress(*server) : QString();
    const std::unique_ptr<diary::DueReading> due =
        server && address.isEmpty() ? nullptr
                                    : StartDueCheck(server ? address : platform::DataFolder(),
                                                    CurrentParametry().UpozornitDni);

    // The settings form is created after the launcher, as the launcher is the
    // first form; the launcher only needs it when its button is pressed.
    auto launcher = std::make_unique<TFoUvod>(nullptr);
    std::unique_ptr<TRecordSheetView> sheet = recordSheet ? recordSheet() : nullptr;
    auto parametry = std::make_unique<TFoParametry>();
    launcher->SetParametryForm(parametry.get());
    // The sheet is registered before the tables open, so the first scroll
    // synchronisation and the breed lists reach it.
    auto dataModule = std::make_unique<TDM1>(address, sheet.get());
    launcher->SetDataModule(dataModule.get());
    // The start-up backup runs beside the window; the program waits for it
    // only at its end. A server's database is backed up by the server's own
    // tools (pg_dump), not by each official's program.
    std::unique_ptr<TAutomaticBackup> backup;
    if (dataModule->Database1.IsOpen() && !dataModule->Database1.IsReadOnly() &&
        !dataModule->Database1.IsServer()) {
        backup = std::make_unique<TAutomaticBackup>(dataModule->Database1.Folder(),
                                                    platform::BackupsToKeep(SettingsFilePath()));
        backup->Start();
    }
    // The selections form lives for the whole run, so its ticks and values
    // stay as the user left them.
    std::unique_ptr<TSpecialSelectionsView> selectionsForm =
        selections ? selections(*dataModule) : nullptr;
    if (sheet != nullptr) {
        sheet->AttachDataModule(*dataModule);
        if (selectionsForm != nullptr) {
            sheet->AttachSelections(*selectionsForm);
        }
        launcher->SetRecordSheet(sheet.get());
    }

    QObject::connect(parametry.get(), &TFoParametry::Applied,
                     [module = dataModule.get(), sheet = sheet.get()] {
                         module->ApplyUnitFormats();
                         if (sheet != nullptr) {
                             sheet->ApplySettings(CurrentParametry());
                         }
                     });

    splash->hide();
    splash.reset();
    QObject::connect(launcher.get(), &TFoUvod::Closed, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    launcher->show();
    // What is due is said before the launcher takes input.
    launcher->ShowDueReminders(due.get());
    const int result = application.exec();
    // The sheet's fields listen to the data module's sources: it goes first.
    launcher->SetRecordSheet(nullptr);
    sheet.reset();
    return result;
}
