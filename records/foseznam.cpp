#include "records/foseznam.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "controls/db_grid.h"
#include "platform/messages.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"
#include "platform/widgets/dialogs.h"

namespace {

const QStringList kColumns{QStringLiteral("Jmeno_registr"), QStringLiteral("Jmeno_call"),
                           QStringLiteral("Pohlavi"), QStringLiteral("Plemeno")};
const QStringList kTitles{QStringLiteral("Jméno registrované"), QStringLiteral("Jméno volací"),
                          QStringLiteral("Pohlaví"), QStringLiteral("Plemeno")};

QPushButton* NewButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

// Closes the query when the pick ends, however it ends.
class QueryCloser {
  public:
    explicit QueryCloser(platform::Query& query) : query_(query) {}
    ~QueryCloser() {
        try {
            query_.Close();
        } catch (const platform::StoreError&) {
            // Closing a result set does not touch the database; nothing to report.
        }
    }
    QueryCloser(const QueryCloser&) = delete;
    QueryCloser& operator=(const QueryCloser&) = delete;

  private:
    platform::Query& query_;
};

}  // namespace

TFoSeznam::TFoSeznam(TDM1& dm, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoSeznam"));
    setWindowTitle(QStringLiteral("Seznam"));
    grid_ = new TDbGridKOPA(this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->SetDataSource(&dm.SoQuery_MainCard);
    grid_->SetColumns(kColumns);
    for (int column = 0; column < kTitles.size(); ++column) {
        grid_->SetColumnTitle(column, kTitles[column]);
    }
    grid_->SetReadOnly(true);
    grid_->SetRowSelect(true);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    const int nameWidth = grid_->fontMetrics().horizontalAdvance(QString(28, QLatin1Char('m')));
    grid_->setColumnWidth(0, nameWidth);
    grid_->setColumnWidth(1, nameWidth / 2);
    grid_->setColumnWidth(2, nameWidth / 4);
    connect(grid_, &QAbstractItemView::doubleClicked, this, &QDialog::accept);

    auto* ok = NewButton("BitBtnOK", QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* cancel = NewButton("BitBtnStorno", QStringLiteral("Storno"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(buttons);
    resize(nameWidth * 2 + 80, 420);
}

void TFoSeznam::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect placed = frameGeometry();
        placed.moveCenter(screen->availableGeometry().center());
        move(placed.topLeft());
    }
    grid_->setFocus();
}

std::optional<QString> PickAnimal(TDM1& dm, QWidget* parent) {
    QueryCloser closer(dm.Query_MainCard);
    try {
        dm.Query_MainCard.Open();
        TFoSeznam list(dm, parent);
        if (platform::ExecModal(list) != QDialog::Accepted || dm.Query_MainCard.IsEmpty() ||
            dm.Query_MainCard.RecNo() < 0) {
            return std::nullopt;
        }
        return dm.Query_MainCard.FieldByName(QStringLiteral("Jmeno_registr")).AsString();
    } catch (const platform::StoreError& error) {
        platform::ShowMessage(error.Message(), QString(), platform::MessageIcon::Error,
                              platform::mbOK);
        return std::nullopt;
    }
}
