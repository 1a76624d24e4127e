#include "app/foupozorneni.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/diary_captions.h"
#include "app/dmunit.h"
#include "platform/clock.h"
#include "platform/czech_locale.h"
#include "platform/store/database.h"
#include "platform/store/postgres_connection.h"
#include "platform/store/store_error.h"
#include "platform/widgets/dialogs.h"
#include "records/diary/due_reading.h"

TFoUpozorneni::TFoUpozorneni(const std::vector<diary::DiaryEntry>& entries, int daysAhead,
                             QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FoUpozorneni"));
    setWindowTitle(diary_captions::DueTitle());
    auto* heading = new QLabel(diary_captions::DueHeading().arg(daysAhead), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    GridUpozorneni = new QTableWidget(static_cast<int>(entries.size()), 5, this);
    GridUpozorneni->setObjectName(QStringLiteral("GridUpozorneni"));
    heading->setBuddy(GridUpozorneni);
    GridUpozorneni->setHorizontalHeaderLabels(
        {diary_captions::DateColumn(), diary_captions::KindColumn(), diary_captions::AnimalColumn(),
         diary_captions::TextColumn(), diary_captions::StateColumn()});
    GridUpozorneni->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridUpozorneni->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridUpozorneni->verticalHeader()->hide();
    GridUpozorneni->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
        const diary::DiaryEntry& entry = entries[static_cast<size_t>(row)];
        const QStringList texts{platform::FormatDate(entry.date), diary::DiaryKindText(entry.kind),
                                entry.animal, entry.text,
                                entry.overdue ? diary::OverdueText() : QString()};
        for (int column = 0; column < texts.size(); ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (entry.overdue) {
                item->setForeground(QColor(Qt::darkRed));
            }
            GridUpozorneni->setItem(row, column, item);
        }
    }
    GridUpozorneni->resizeColumnsToContents();
    GridUpozorneni->horizontalHeader()->setStretchLastSection(true);

    auto* open = new QPushButton(diary_captions::OpenDiary(), this);
    open->setObjectName(QStringLiteral("BtnOtevritDiar"));
    auto* close = new QPushButton(diary_captions::Close(), this);
    close->setObjectName(QStringLiteral("BtnZavrit"));
    close->setDefault(true);
    connect(open, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(open);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(GridUpozorneni, 1);
    layout->addLayout(buttons);
    resize(fontMetrics().horizontalAdvance(QString(100, QLatin1Char('n'))),
           fontMetrics().height() * 20);
}

std::unique_ptr<diary::DueReading> StartDueCheck(const QString& dataFolder, int daysAhead) {
    if (daysAhead <= 0) {
        return nullptr;
    }
    const QString database = platform::IsServerAddress(dataFolder)
                                 ? dataFolder
                                 : platform::Database::DatabaseFile(dataFolder);
    return std::make_unique<diary::DueReading>(database, daysAhead, platform::Today());
}

bool ShowDueAtStart(diary::DueReading* reading, int daysAhead, QWidget* parent) {
    if (reading == nullptr) {
        return false;
    }
    std::vector<diary::DiaryEntry> entries;
    try {
        entries = reading->Entries();
    } catch (const platform::StoreError&) {
        return false;  // the start-up already reported a store that fails
    }
    if (entries.empty()) {
        return false;
    }
    TFoUpozorneni window(entries, daysAhead, parent);
    return platform::ExecModal(window) == QDialog::Accepted;
}

bool ShowDueAtStart(TDM1& dm, int daysAhead, QWidget* parent) {
    if (!dm.Database1.IsOpen()) {
        return false;
    }
    return ShowDueAtStart(StartDueCheck(dm.Database1.Folder(), daysAhead).get(), daysAhead, parent);
}
