#include "records/foseznam.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "controls/db_grid.h"
#include "controls/search_field.h"
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
            query_.SetFiltered(false);
            query_.SetOnFilterRecord({});
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

bool TPickFilter::Offers(const QString& name, const QString& sex) const {
    if (!exclude.isEmpty() && name == exclude) {
        return false;
    }
    const TAnimalSex shown = SexOf(sex);
    return this->sex == TAnimalSex::asUnknown || shown == TAnimalSex::asUnknown ||
           shown == this->sex;
}

TFoSeznam::TFoSeznam(TDM1& dm, QWidget* parent, const TPickFilter& filter) : QDialog(parent) {
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
    search_ = new TSearchField(
        dm.Database1, [&dm]() -> platform::DataSet& { return dm.Query_MainCard; }, this);
    search_->SetAcceptance(
        [filter](const QString& name, const QString& sex) { return filter.Offers(name, sex); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(search_);
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

std::optional<QString> PickAnimal(TDM1& dm, QWidget* parent, const TPickFilter& filter) {
    QueryCloser closer(dm.Query_MainCard);
    try {
        dm.Query_MainCard.Open();
        if (filter.sex != TAnimalSex::asUnknown || !filter.exclude.isEmpty()) {
            dm.Query_MainCard.SetOnFilterRecord([filter](platform::DataSet& row) {
                return filter.Offers(row.FieldByName(QStringLiteral("Jmeno_registr")).AsString(),
                                     row.FieldByName(QStringLiteral("Pohlavi")).AsString());
            });
            dm.Query_MainCard.SetFiltered(true);
        }
        TFoSeznam list(dm, parent, filter);
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
