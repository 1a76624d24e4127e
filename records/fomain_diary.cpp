// The record sheet's way to the seasons of the bitch shown ("Hárání" above
// and below the book names, like the books) and to the breeder's diary
// ("Diář"). A double click on an animal in the diary brings its card.
// "Statistika chovu" below the diary opens the kennel's breeding charts.
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

#include "app/diary_captions.h"
#include "app/dmunit.h"
#include "app/fodiar.h"
#include "app/fostatistika.h"
#include "platform/messages.h"
#include "platform/store/dataset.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"
#include "platform/widgets/dialogs.h"
#include "records/foharani.h"
#include "records/fomain.h"

namespace {

void ShowError(const QString& text) {
    platform::ShowMessage(text, QString(), platform::MessageIcon::Error, platform::mbOK);
}

}  // namespace

void TFoMain::AddDiaryButtons(QGridLayout* grid, int column) {
    QToolButton* edit = BarButton(QStringLiteral("BtnEditHarani"), diary_captions::SeasonsTitle());
    connect(edit, &QToolButton::clicked, this, [this] { OpenSeasons(false); });
    auto* label = new QLabel(diary_captions::SeasonsTitle());
    label->setObjectName(QStringLiteral("LabelHarani"));
    label->setAlignment(Qt::AlignCenter);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setContentsMargins(0, 3, 0, 3);
    QToolButton* add = BarButton(QStringLiteral("BtnNewHarani"), diary_captions::SeasonsTitle());
    connect(add, &QToolButton::clicked, this, [this] { OpenSeasons(true); });
    QToolButton* diary = BarButton(QStringLiteral("BtnDiar"), diary_captions::DiaryTitle());
    connect(diary, &QToolButton::clicked, this, &TFoMain::OpenDiary);
    grid->addWidget(edit, 0, column);
    grid->addWidget(label, 1, column);
    grid->addWidget(add, 2, column);
    grid->addWidget(diary, 0, column + 1);
    QToolButton* statistics =
        BarButton(QStringLiteral("BtnStatistika"), QStringLiteral("Statistika chovu"));
    connect(statistics, &QToolButton::clicked, this, &TFoMain::OpenStatistics);
    grid->addWidget(statistics, 1, column + 1);
}

void TFoMain::OpenStatistics() {
    TFoStatistika statistics(*dm_, this);
    platform::ExecModal(statistics);
}

// Seasons belong to a bitch: a card whose sex is "Pes" is refused, a card
// without a sex is taken at the breeder's word (as for litters).
void TFoMain::OpenSeasons(bool entry) {
    const QString name = CardRegisteredName(CardDataSet()).trimmed();
    if (name.isEmpty()) {
        NothingFound(false);
        return;
    }
    if (CardDataSet()
            .FieldByName(QStringLiteral("Pohlavi"))
            .AsString()
            .trimmed()
            .compare(QStringLiteral("Pes"), Qt::CaseInsensitive) == 0) {
        ShowError(diary_captions::OnlyForBitches());
        return;
    }
    try {
        TFoHarani form(*dm_, name, this);
        if (entry) {
            form.NewSeason();
        }
        platform::ExecModal(form);
    } catch (const platform::StoreError& error) {
        ShowError(error.Message());
    }
}

void TFoMain::OpenDiary() {
    TFoDiar* shown = nullptr;
    TFoDiar diary(
        *dm_,
        [this, &shown](const QString& name) {
            ShowAnimalFromDiary(name);
            if (shown != nullptr) {
                shown->accept();
            }
        },
        this);
    shown = &diary;
    platform::ExecModal(diary);
}

// The card follows its data set, so finding the animal there shows it.
void TFoMain::ShowAnimalFromDiary(const QString& registeredName) {
    try {
        if (!CardDataSet().Locate(QStringLiteral("Jmeno_registr"), registeredName)) {
            NothingFound(false);
        }
    } catch (const platform::StoreError& error) {
        ShowError(error.Message());
    }
}
