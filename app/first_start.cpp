#include "app/first_start.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/demo_kennel.h"
#include "app/old_installation_takeover.h"
#include "app/parametry.h"
#include "app/user_folders.h"
#include "platform/czech_plural.h"
#include "platform/folders.h"
#include "platform/ini_file.h"
#include "platform/messages.h"
#include "platform/store/database.h"
#include "platform/store/query.h"
#include "platform/store/store_error.h"
#include "platform/widgets/dialogs.h"

namespace {

const QString kCaption = QStringLiteral("Harvel 1.0");
const QString kSection = QStringLiteral("EvidList");
const QString kOfferedKey = QStringLiteral("NabidkaPrvnihoSpusteni");

// Only a database that opens and counts no record sheet is an empty kennel;
// one that cannot be read is left to the start-up's own report.
bool HoldsNoAnimals(const QString& dataFolder) {
    try {
        platform::Database database(dataFolder, platform::OpenMode::ReadOnly);
        platform::Query query(database);
        query.SetSQL({QStringLiteral("Select COUNT(*) from Main_card")});
        query.Open();
        return query.Fields(0).AsString().toInt() == 0;
    } catch (const platform::StoreError&) {
        return false;
    }
}

bool WasOffered(const QString& settingsFile) {
    platform::IniFile file(settingsFile);
    return file.Load() && file.ReadBool(kSection, kOfferedKey, false);
}

void RememberOffer(const QString& settingsFile) {
    platform::IniFile file(settingsFile);
    if (!file.Load() || !file.WriteBool(kSection, kOfferedKey, true) || !file.Save()) {
        platform::ShowMessage(QStringLiteral("Chyba při ukládání parametrického souboru"), kCaption,
                              platform::MessageIcon::Error, platform::mbOK);
    }
}

void LoadDemo(const FirstStartPlaces& places) {
    try {
        const qint64 rows = LoadDemoKennel(places.dataFolder, places.demoFolder);
        platform::ShowMessage(
            QStringLiteral("Ukázková chovná stanice „z Lipové aleje“ byla nahrána (%1 %2).")
                .arg(rows)
                .arg(platform::CzechPlural(rows,
                                           {QStringLiteral("záznam"), QStringLiteral("záznamy"),
                                            QStringLiteral("záznamů")})),
            kCaption, platform::MessageIcon::Information, platform::mbOK);
    } catch (const platform::StoreError& e) {
        platform::ShowMessage(
            QStringLiteral(
                "Ukázkovou chovnou stanici nelze nahrát, evidence zůstává prázdná.\n\n") +
                e.Message(),
            kCaption, platform::MessageIcon::Error, platform::mbOK);
    }
}

}  // namespace

TFoPrvniSpusteni::TFoPrvniSpusteni(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoPrvniSpusteni"));
    setWindowTitle(QStringLiteral("Vítejte v programu Harvel"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(
        QStringLiteral("Evidence zatím neobsahuje žádné zvíře. Jak chcete začít?"), this);
    text->setObjectName(QStringLiteral("LabelUvod"));
    layout->addWidget(text);
    layout->addWidget(
        AddChoice("BtnPrazdna", QStringLiteral("Začít s prázdnou evidencí"), chEmpty));
    layout->addWidget(
        AddChoice("BtnUkazka", QStringLiteral("Nahrát ukázkovou chovnou stanici"), chDemo));
    layout->addWidget(AddChoice(
        "BtnPrevzit", QStringLiteral("Převzít data z dřívější instalace..."), chTakeOver));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* TFoPrvniSpusteni::AddChoice(const char* name, const QString& caption, Choice choice) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, choice] { done(choice); });
    return button;
}

void OfferFirstStart(QWidget* parent, const FirstStartPlaces& places) {
    if (WasOffered(places.settingsFile) || !HoldsNoAnimals(places.dataFolder)) {
        return;
    }
    TFoPrvniSpusteni offer(parent);
    const int choice = platform::ExecModal(offer);
    RememberOffer(places.settingsFile);
    if (choice == TFoPrvniSpusteni::chDemo) {
        LoadDemo(places);
    } else if (choice == TFoPrvniSpusteni::chTakeOver) {
        TakeOverOldInstallation(parent, nullptr);
    }
}

void WelcomeInstalledProgramUser() {
    const platform::InstallationFolders folders = platform::CurrentFolders();
    if (!folders.installed) {
        return;
    }
    const QStringList problems = PrepareUserFolders(folders);
    if (!problems.isEmpty()) {
        platform::ShowMessage(problems.join(u'\n'), kCaption, platform::MessageIcon::Error,
                              platform::mbOK);
    }
    OfferFirstStart(nullptr,
                    {folders.data, folders.shipped + QStringLiteral("demo/"), SettingsFilePath()});
}
