#include "records/foharani_zapis.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/diary_captions.h"
#include "app/dmunit.h"
#include "app/shared_messages.h"
#include "platform/czech_locale.h"
#include "platform/messages.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"
#include "records/date_edit_kopa.h"

namespace {

constexpr int kNoteLength = 255;

void ShowError(const QString& text) {
    platform::ShowMessage(text, QString(), platform::MessageIcon::Error, platform::mbOK);
}

}  // namespace

TFoHaraniZapis::TFoHaraniZapis(TDM1& dm, const QString& registeredName, qint64 row, QWidget* parent)
    : QDialog(parent), dm_(dm), registeredName_(registeredName), row_(row) {
    setObjectName(QStringLiteral("FoHaraniZapis"));
    setWindowTitle(row == 0 ? diary_captions::SeasonEntryTitle()
                            : diary_captions::SeasonEditTitle());
    EditDatum = new TDateEditKopa(this);
    EditDatum->setObjectName(QStringLiteral("EditDatum"));
    EditDatum->Loaded();
    EditDatum->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 20);
    EditPoznamka = new TKEditKopa(this);
    EditPoznamka->setObjectName(QStringLiteral("EditPoznamka"));
    EditPoznamka->CommaToPoint = false;
    EditPoznamka->setMaxLength(kNoteLength);
    EditPoznamka->Loaded();
    EditPoznamka->setMinimumWidth(fontMetrics().horizontalAdvance(QString(40, QLatin1Char('n'))));
    zapis_ = new QPushButton(diary_captions::Write(), this);
    zapis_->setObjectName(QStringLiteral("BtnZapis"));
    zapis_->setAutoDefault(false);
    storno_ = new QPushButton(diary_captions::Cancel(), this);
    storno_->setObjectName(QStringLiteral("BtnStorno"));
    storno_->setAutoDefault(false);
    connect(zapis_, &QPushButton::clicked, this, &TFoHaraniZapis::ZapisClick);
    connect(storno_, &QPushButton::clicked, this, &QDialog::reject);
    LayOut(registeredName);
    if (row_ != 0) {
        LoadRow();
    }
}

void TFoHaraniZapis::LayOut(const QString& registeredName) {
    auto* name = new QLabel(registeredName, this);
    name->setObjectName(QStringLiteral("Jmeno_registr"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(diary_captions::RegisteredName(), this), 0, 0);
    grid->addWidget(name, 0, 1);
    auto* dateCaption = new QLabel(diary_captions::SeasonDate(), this);
    dateCaption->setBuddy(EditDatum);
    grid->addWidget(dateCaption, 1, 0);
    grid->addWidget(EditDatum, 1, 1, Qt::AlignLeft);
    auto* noteCaption = new QLabel(diary_captions::Note(), this);
    noteCaption->setBuddy(EditPoznamka);
    grid->addWidget(noteCaption, 2, 0);
    grid->addWidget(EditPoznamka, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(zapis_);
    buttons->addStretch();
    buttons->addWidget(storno_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
}

void TFoHaraniZapis::LoadRow() {
    platform::Table& seasons = dm_.TaHarani;
    seasons.Open();
    if (!seasons.GotoBookmark(platform::Bookmark{row_})) {
        return;
    }
    EditDatum->setText(platform::FormatDate(seasons.FieldByName(QStringLiteral("Datum")).AsDate()));
    EditPoznamka->setText(seasons.FieldByName(QStringLiteral("Poznamka")).AsString());
}

void TFoHaraniZapis::ZapisClick() {
    if (!CheckDate() || !Write()) {
        ShowError(diary_captions::CannotWrite());
        return;
    }
    ShowCommandDone();
    accept();
}

bool TFoHaraniZapis::CheckDate() {
    if (EditDatum->text().trimmed().isEmpty()) {
        ShowError(diary_captions::NoSeasonDate());
        return false;
    }
    if (!platform::ParseDate(EditDatum->text()).isValid()) {
        ShowError(diary_captions::InvalidDate());
        return false;
    }
    return true;
}

bool TFoHaraniZapis::Write() {
    platform::Table& seasons = dm_.TaHarani;
    try {
        seasons.Open();
        if (row_ == 0) {
            seasons.Append();
        } else {
            if (!seasons.GotoBookmark(platform::Bookmark{row_})) {
                throw platform::StoreError(QStringLiteral("Záznam hárání už neexistuje."));
            }
            seasons.Edit();
        }
        seasons.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(registeredName_);
        seasons.FieldByName(QStringLiteral("Datum"))
            .SetAsDate(platform::ParseDate(EditDatum->text()));
        const QString note = EditPoznamka->text();
        note.isEmpty() ? seasons.FieldByName(QStringLiteral("Poznamka")).Clear()
                       : seasons.FieldByName(QStringLiteral("Poznamka")).SetAsString(note);
        seasons.Post();
    } catch (const platform::StoreError& error) {
        if (seasons.IsActive() && seasons.State() != platform::DataSetState::Browse) {
            seasons.Cancel();
        }
        ShowError(error.Message());
        return false;
    }
    return true;
}
