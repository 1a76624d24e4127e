#include "app/fopripominka.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/complete_date.h"
#include "app/diary_captions.h"
#include "app/dmunit.h"
#include "app/shared_messages.h"
#include "platform/clock.h"
#include "platform/czech_locale.h"
#include "platform/messages.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"

namespace {

constexpr int kTextLength = 255;

void ShowError(const QString& text) {
    platform::ShowMessage(text, QString(), platform::MessageIcon::Error, platform::mbOK);
}

std::optional<QDate> TypedDate(const QLineEdit* edit) {
    return CompleteDate(edit->text().trimmed(), platform::Today());
}

}  // namespace

TFoPripominka::TFoPripominka(TDM1& dm, qint64 row, QWidget* parent)
    : QDialog(parent), dm_(dm), row_(row) {
    setObjectName(QStringLiteral("FoPripominka"));
    setWindowTitle(diary_captions::ReminderTitle());
    EditDatum = new QLineEdit(this);
    EditDatum->setObjectName(QStringLiteral("EditDatum"));
    EditDatum->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 20);
    EditAkce = new QLineEdit(this);
    EditAkce->setObjectName(QStringLiteral("EditAkce"));
    EditAkce->setMaxLength(kTextLength);
    EditAkce->setMinimumWidth(fontMetrics().horizontalAdvance(QString(45, QLatin1Char('n'))));
    CheckUpozornit = new QCheckBox(diary_captions::Remind(), this);
    CheckUpozornit->setObjectName(QStringLiteral("CheckUpozornit"));
    CheckUpozornit->setChecked(true);
    zapis_ = new QPushButton(diary_captions::Write(), this);
    zapis_->setObjectName(QStringLiteral("BtnZapis"));
    zapis_->setAutoDefault(false);
    storno_ = new QPushButton(diary_captions::Cancel(), this);
    storno_->setObjectName(QStringLiteral("BtnStorno"));
    storno_->setAutoDefault(false);
    connect(zapis_, &QPushButton::clicked, this, &TFoPripominka::ZapisClick);
    connect(storno_, &QPushButton::clicked, this, &QDialog::reject);
    LayOut();
    if (row_ != 0) {
        LoadRow();
    }
}

void TFoPripominka::LayOut() {
    auto* fields = new QFormLayout;
    fields->addRow(diary_captions::ReminderDate(), EditDatum);
    fields->addRow(diary_captions::ReminderText(), EditAkce);
    fields->addRow(QString(), CheckUpozornit);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(zapis_);
    buttons->addStretch();
    buttons->addWidget(storno_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
}

void TFoPripominka::LoadRow() {
    platform::Table& reminders = dm_.TaSchedule;
    reminders.Open();
    if (!reminders.GotoBookmark(platform::Bookmark{row_})) {
        return;
    }
    EditDatum->setText(
        platform::FormatDate(reminders.FieldByName(QStringLiteral("Datum")).AsDate()));
    EditAkce->setText(reminders.FieldByName(QStringLiteral("Akce")).AsString());
    CheckUpozornit->setChecked(reminders.FieldByName(QStringLiteral("Upozornit")).AsBoolean());
}

void TFoPripominka::ZapisClick() {
    if (!CheckInput() || !Write()) {
        ShowError(diary_captions::CannotWrite());
        return;
    }
    ShowCommandDone();
    accept();
}

bool TFoPripominka::CheckInput() {
    if (EditDatum->text().trimmed().isEmpty()) {
        ShowError(diary_captions::NoReminderDate());
        return false;
    }
    if (!TypedDate(EditDatum)) {
        ShowError(diary_captions::InvalidDate());
        return false;
    }
    if (EditAkce->text().trimmed().isEmpty()) {
        ShowError(diary_captions::NoReminderText());
        return false;
    }
    return true;
}

bool TFoPripominka::Write() {
    platform::Table& reminders = dm_.TaSchedule;
    try {
        reminders.Open();
        if (row_ == 0) {
            reminders.Append();
        } else {
            if (!reminders.GotoBookmark(platform::Bookmark{row_})) {
                throw platform::StoreError(QStringLiteral("Připomínka už neexistuje."));
            }
            reminders.Edit();
        }
        reminders.FieldByName(QStringLiteral("Datum")).SetAsDate(*TypedDate(EditDatum));
        reminders.FieldByName(QStringLiteral("Akce")).SetAsString(EditAkce->text());
        reminders.FieldByName(QStringLiteral("Upozornit"))
            .SetAsBoolean(CheckUpozornit->isChecked());
        reminders.Post();
    } catch (const platform::StoreError& error) {
        if (reminders.IsActive() && reminders.State() != platform::DataSetState::Browse) {
            reminders.Cancel();
        }
        ShowError(error.Message());
        return false;
    }
    return true;
}
