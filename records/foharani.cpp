#include "records/foharani.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/diary_captions.h"
#include "app/dmunit.h"
#include "platform/czech_locale.h"
#include "platform/messages.h"
#include "platform/store/store_error.h"
#include "platform/store/store_statement.h"
#include "platform/widgets/dialogs.h"
#include "records/diary/season_prediction.h"
#include "records/foharani_zapis.h"

namespace {

void ShowError(const QString& text) {
    platform::ShowMessage(text, QString(), platform::MessageIcon::Error, platform::mbOK);
}

QTableWidgetItem* Cell(const QString& text, qint64 row) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    item->setData(Qt::UserRole, row);
    return item;
}

}  // namespace

TFoHarani::TFoHarani(TDM1& dm, const QString& registeredName, QWidget* parent)
    : QDialog(parent), dm_(dm), registeredName_(registeredName) {
    setObjectName(QStringLiteral("FoHarani"));
    setWindowTitle(diary_captions::SeasonsTitle());
    BuildControls();
    LayOut();
    Reload();
}

void TFoHarani::BuildControls() {
    GridHarani = new QTableWidget(0, 2, this);
    GridHarani->setObjectName(QStringLiteral("GridHarani"));
    GridHarani->setHorizontalHeaderLabels({diary_captions::SeasonDate(), diary_captions::Note()});
    GridHarani->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridHarani->setSelectionMode(QAbstractItemView::SingleSelection);
    GridHarani->horizontalHeader()->setStretchLastSection(true);
    GridHarani->verticalHeader()->hide();
    GridHarani->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    LabelPredpoklad = new QLabel(this);
    LabelPredpoklad->setObjectName(QStringLiteral("LabelPredpoklad"));
    QFont bold = LabelPredpoklad->font();
    bold.setBold(true);
    LabelPredpoklad->setFont(bold);
    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    nove_ = button("BtnNove", diary_captions::NewSeason());
    opravit_ = button("BtnOpravit", diary_captions::Change());
    smazat_ = button("BtnSmazat", diary_captions::Delete());
    zavrit_ = button("BtnZavrit", diary_captions::Close());
    connect(nove_, &QPushButton::clicked, this, &TFoHarani::NewSeason);
    connect(opravit_, &QPushButton::clicked, this, &TFoHarani::ChangeSeason);
    connect(smazat_, &QPushButton::clicked, this, &TFoHarani::DeleteSeason);
    connect(zavrit_, &QPushButton::clicked, this, &QDialog::accept);
    connect(GridHarani, &QTableWidget::cellDoubleClicked, this, &TFoHarani::ChangeSeason);
}

void TFoHarani::LayOut() {
    auto* name = new QLabel(registeredName_, this);
    name->setObjectName(QStringLiteral("Jmeno_registr"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(diary_captions::RegisteredName(), this));
    top->addWidget(name, 1);
    auto* listCaption = new QLabel(diary_captions::SeasonList(), this);
    listCaption->setBuddy(GridHarani);
    auto* prediction = new QHBoxLayout;
    prediction->addWidget(new QLabel(diary_captions::NextSeason(), this));
    prediction->addWidget(LabelPredpoklad, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(nove_);
    buttons->addWidget(opravit_);
    buttons->addWidget(smazat_);
    buttons->addStretch();
    buttons->addWidget(zavrit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(listCaption);
    layout->addWidget(GridHarani, 1);
    layout->addLayout(prediction);
    layout->addLayout(buttons);
    resize(fontMetrics().horizontalAdvance(QString(60, QLatin1Char('n'))),
           fontMetrics().height() * 22);
}

void TFoHarani::Reload() {
    GridHarani->setRowCount(0);
    std::vector<QDate> starts;
    try {
        platform::StoreStatement rows(
            dm_.Database1, QStringLiteral("SELECT rowid, Datum, Poznamka FROM harani "
                                          "WHERE Jmeno_registr = ?1 ORDER BY Datum, rowid"));
        rows.Bind(1, platform::Value(registeredName_));
        while (rows.Step()) {
            const qint64 row = rows.Int(0);
            const platform::Value date = rows.Column(1);
            const platform::Value note = rows.Column(2);
            const auto* dateText = std::get_if<QString>(&date);
            const QDate start =
                dateText != nullptr ? QDate::fromString(*dateText, Qt::ISODate) : QDate();
            starts.push_back(start);
            const auto* noteText = std::get_if<QString>(&note);
            const int at = GridHarani->rowCount();
            GridHarani->insertRow(at);
            GridHarani->setItem(at, 0, Cell(platform::FormatDate(start), row));
            GridHarani->setItem(at, 1, Cell(noteText != nullptr ? *noteText : QString(), row));
        }
    } catch (const platform::StoreError& error) {
        ShowError(error.Message());
    }
    const QDate next = diary::PredictNextSeason(starts);
    LabelPredpoklad->setText(next.isValid() ? platform::FormatDate(next)
                                            : diary_captions::NoPrediction());
    GridHarani->resizeColumnToContents(0);
    if (GridHarani->rowCount() > 0) {
        GridHarani->selectRow(GridHarani->rowCount() - 1);
    }
}

qint64 TFoHarani::ChosenRow() {
    const int at = GridHarani->currentRow();
    if (at < 0 || GridHarani->item(at, 0) == nullptr) {
        platform::ShowMessage(diary_captions::NothingChosen(), QString(),
                              platform::MessageIcon::Information, platform::mbOK);
        return 0;
    }
    return GridHarani->item(at, 0)->data(Qt::UserRole).toLongLong();
}

void TFoHarani::NewSeason() {
    TFoHaraniZapis form(dm_, registeredName_, 0, this);
    if (platform::ExecModal(form) == QDialog::Accepted) {
        Reload();
    }
}

void TFoHarani::ChangeSeason() {
    const qint64 row = ChosenRow();
    if (row == 0) {
        return;
    }
    TFoHaraniZapis form(dm_, registeredName_, row, this);
    if (platform::ExecModal(form) == QDialog::Accepted) {
        Reload();
    }
}

void TFoHarani::DeleteSeason() {
    const qint64 row = ChosenRow();
    if (row == 0) {
        return;
    }
    if (platform::ShowMessage(diary_captions::DeleteQuestion(), diary_captions::ConfirmCaption(),
                              platform::MessageIcon::Question, platform::mbYes | platform::mbNo,
                              platform::mbNo) != platform::mbYes) {
        return;
    }
    try {
        platform::Table& seasons = dm_.TaHarani;
        seasons.Open();
        if (seasons.GotoBookmark(platform::Bookmark{row})) {
            seasons.Delete();
        }
    } catch (const platform::StoreError& error) {
        ShowError(error.Message());
    }
    Reload();
}
