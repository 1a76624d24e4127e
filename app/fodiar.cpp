#include "app/fodiar.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/complete_date.h"
#include "app/diary_captions.h"
#include "app/diary_dataset.h"
#include "app/diary_print.h"
#include "app/dmunit.h"
#include "app/fopripominka.h"
#include "platform/clock.h"
#include "platform/czech_locale.h"
#include "platform/messages.h"
#include "platform/store/datasource.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"
#include "platform/widgets/dialogs.h"
#include "records/diary/diary_book.h"
#include "report/engine/sestavy.h"

namespace {

enum Column { colDate, colKind, colAnimal, colText, colState, colCount };

void ShowError(const QString& text) {
    platform::ShowMessage(text, QString(), platform::MessageIcon::Error, platform::mbOK);
}

void ShowInformation(const QString& text) {
    platform::ShowMessage(text, QString(), platform::MessageIcon::Information, platform::mbOK);
}

QTableWidgetItem* Cell(const QString& text, bool overdue) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    if (overdue) {
        item->setForeground(QColor(Qt::darkRed));
    }
    return item;
}

}  // namespace

TFoDiar::TFoDiar(TDM1& dm, AnimalOpener openAnimal, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      openAnimal_(std::move(openAnimal)),
      span_(diary::DefaultSpan(platform::Today())) {
    setObjectName(QStringLiteral("FoDiar"));
    setWindowTitle(diary_captions::DiaryTitle());
    printRows_ = std::make_unique<TDiaryDataSet>(dm_.Database1);
    printSource_ =
        std::make_unique<platform::DataSource>(QStringLiteral("SoDiar"), printRows_.get());
    report_ = std::make_unique<TSestava>();
    BuildControls();
    LayOut();
    Reload();
}

TFoDiar::~TFoDiar() {
    // The report lets go of the source before the source and its rows go.
    report_.reset();
    printSource_.reset();
}

QPushButton* TFoDiar::AddButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    buttons_ << button;
    return button;
}

void TFoDiar::BuildControls() {
    EditOd = new QLineEdit(platform::FormatDate(span_.from), this);
    EditOd->setObjectName(QStringLiteral("EditOd"));
    EditDo = new QLineEdit(platform::FormatDate(span_.to), this);
    EditDo->setObjectName(QStringLiteral("EditDo"));
    for (QLineEdit* edit : {EditOd, EditDo}) {
        edit->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 20);
    }
    GridDiar = new QTableWidget(0, colCount, this);
    GridDiar->setObjectName(QStringLiteral("GridDiar"));
    GridDiar->setHorizontalHeaderLabels(
        {diary_captions::DateColumn(), diary_captions::KindColumn(), diary_captions::AnimalColumn(),
         diary_captions::TextColumn(), diary_captions::StateColumn()});
    GridDiar->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridDiar->setSelectionMode(QAbstractItemView::SingleSelection);
    GridDiar->verticalHeader()->hide();
    GridDiar->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    GridDiar->horizontalHeader()->setSectionResizeMode(colText, QHeaderView::Stretch);
    LabelPocet = new QLabel(this);
    LabelPocet->setObjectName(QStringLiteral("LabelPocet"));

    connect(AddButton("BtnZobrazit", diary_captions::Show()), &QPushButton::clicked, this,
            &TFoDiar::Reload);
    connect(AddButton("BtnNovaPripominka", diary_captions::NewReminder()), &QPushButton::clicked,
            this, &TFoDiar::NewReminder);
    connect(AddButton("BtnOpravitPripominku", diary_captions::ChangeReminder()),
            &QPushButton::clicked, this, &TFoDiar::ChangeReminder);
    connect(AddButton("BtnSmazatPripominku", diary_captions::DeleteReminder()),
            &QPushButton::clicked, this, &TFoDiar::DeleteReminder);
    connect(AddButton("BtnSplneno", diary_captions::ReminderDone()), &QPushButton::clicked, this,
            &TFoDiar::MarkDone);
    connect(AddButton("BtnTisk", diary_captions::Print()), &QPushButton::clicked, this,
            &TFoDiar::PrintDiary);
    connect(AddButton("BtnZavrit", diary_captions::Close()), &QPushButton::clicked, this,
            &QDialog::accept);
    connect(GridDiar, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { OpenAnimal(row); });
}

void TFoDiar::LayOut() {
    auto* span = new QHBoxLayout;
    auto* from = new QLabel(diary_captions::From(), this);
    from->setBuddy(EditOd);
    auto* to = new QLabel(diary_captions::To(), this);
    to->setBuddy(EditDo);
    span->addWidget(from);
    span->addWidget(EditOd);
    span->addSpacing(12);
    span->addWidget(to);
    span->addWidget(EditDo);
    span->addWidget(buttons_[0]);
    span->addStretch();
    span->addWidget(LabelPocet);
    auto* reminders = new QHBoxLayout;
    for (int i = 1; i <= 4; ++i) {
        reminders->addWidget(buttons_[i]);
    }
    reminders->addStretch();
    reminders->addWidget(buttons_[5]);
    reminders->addWidget(buttons_[6]);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(span);
    layout->addWidget(GridDiar, 1);
    layout->addLayout(reminders);
    resize(fontMetrics().horizontalAdvance(QString(120, QLatin1Char('n'))),
           fontMetrics().height() * 30);
}

bool TFoDiar::Reload() {
    const std::optional<QDate> from = CompleteDate(EditOd->text().trimmed(), platform::Today());
    const std::optional<QDate> to = CompleteDate(EditDo->text().trimmed(), platform::Today());
    if (!from || !to || *to < *from) {
        ShowError(diary_captions::BadSpan());
        return false;
    }
    span_ = {*from, *to};
    EditOd->setText(platform::FormatDate(*from));
    EditDo->setText(platform::FormatDate(*to));
    try {
        entries_ = diary::ReadDiary(dm_.Database1, span_, platform::Today());
    } catch (const platform::StoreError& error) {
        ShowError(error.Message());
        entries_.clear();
    }
    ShowEntries();
    return true;
}

void TFoDiar::ShowEntries() {
    GridDiar->setRowCount(0);
    GridDiar->setRowCount(static_cast<int>(entries_.size()));
    int overdue = 0;
    for (int row = 0; row < static_cast<int>(entries_.size()); ++row) {
        const diary::DiaryEntry& entry = entries_[static_cast<size_t>(row)];
        overdue += entry.overdue ? 1 : 0;
        GridDiar->setItem(row, colDate, Cell(platform::FormatDate(entry.date), entry.overdue));
        GridDiar->setItem(row, colKind, Cell(diary::DiaryKindText(entry.kind), entry.overdue));
        GridDiar->setItem(row, colAnimal, Cell(entry.animal, entry.overdue));
        GridDiar->setItem(row, colText, Cell(entry.text, entry.overdue));
        GridDiar->setItem(row, colState,
                          Cell(entry.overdue ? diary::OverdueText() : QString(), entry.overdue));
    }
    GridDiar->resizeColumnsToContents();
    GridDiar->horizontalHeader()->setSectionResizeMode(colText, QHeaderView::Stretch);
    LabelPocet->setText(diary_captions::EntryCount().arg(entries_.size()).arg(overdue));
}

const diary::DiaryEntry* TFoDiar::ChosenEntry() const {
    const int row = GridDiar->currentRow();
    if (row < 0 || row >= static_cast<int>(entries_.size())) {
        return nullptr;
    }
    return &entries_[static_cast<size_t>(row)];
}

const diary::DiaryEntry* TFoDiar::ChosenReminder() const {
    const diary::DiaryEntry* entry = ChosenEntry();
    if (entry == nullptr || entry->kind != diary::DiaryKind::Reminder) {
        ShowInformation(diary_captions::NotAReminder());
        return nullptr;
    }
    return entry;
}

void TFoDiar::NewReminder() {
    TFoPripominka form(dm_, 0, this);
    if (platform::ExecModal(form) == QDialog::Accepted) {
        Reload();
    }
}

void TFoDiar::ChangeReminder() {
    const diary::DiaryEntry* reminder = ChosenReminder();
    if (reminder == nullptr) {
        return;
    }
    TFoPripominka form(dm_, reminder->reminderRow, this);
    if (platform::ExecModal(form) == QDialog::Accepted) {
        Reload();
    }
}

void TFoDiar::DeleteReminder() {
    const diary::DiaryEntry* reminder = ChosenReminder();
    if (reminder == nullptr) {
        return;
    }
    if (platform::ShowMessage(diary_captions::DeleteQuestion(), diary_captions::ConfirmCaption(),
                              platform::MessageIcon::Question, platform::mbYes | platform::mbNo,
                              platform::mbNo) != platform::mbYes) {
        return;
    }
    try {
        platform::Table& reminders = dm_.TaSchedule;
        reminders.Open();
        if (reminders.GotoBookmark(platform::Bookmark{reminder->reminderRow})) {
            reminders.Delete();
        }
    } catch (const platform::StoreError& error) {
        ShowError(error.Message());
    }
    Reload();
}

void TFoDiar::MarkDone() {
    const diary::DiaryEntry* reminder = ChosenReminder();
    if (reminder == nullptr) {
        return;
    }
    platform::Table& reminders = dm_.TaSchedule;
    try {
        reminders.Open();
        if (reminders.GotoBookmark(platform::Bookmark{reminder->reminderRow})) {
            reminders.Edit();
            reminders.FieldByName(QStringLiteral("Upozornit")).SetAsBoolean(false);
            reminders.Post();
        }
    } catch (const platform::StoreError& error) {
        if (reminders.IsActive() && reminders.State() != platform::DataSetState::Browse) {
            reminders.Cancel();
        }
        ShowError(error.Message());
    }
    Reload();
}

void TFoDiar::OpenAnimal(int row) {
    if (row < 0 || row >= static_cast<int>(entries_.size()) || !openAnimal_) {
        return;
    }
    const QString name = entries_[static_cast<size_t>(row)].animal;
    if (!name.isEmpty()) {
        openAnimal_(name);
    }
}

TSestava& TFoDiar::Report() {
    printRows_->SetEntries(entries_);
    // The report runs over an open data set only (otherwise it asks).
    if (!printRows_->IsActive()) {
        printRows_->Open();
    }
    SetUpDiaryReport(*report_, *printSource_, span_);
    return *report_;
}

void TFoDiar::PrintDiary() {
    Report().Preview();
}
