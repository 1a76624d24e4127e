#include "records/fovrhyedit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "controls/db_grid.h"
#include "controls/db_memo.h"
#include "controls/db_navigator.h"
#include "controls/field_data_link.h"
#include "controls/k_db_edit.h"
#include "platform/store/store_error.h"

namespace {

constexpr TButtonSet kNavigatorButtons =
    NavButton(nbFirst) | NavButton(nbPrior) | NavButton(nbNext) | NavButton(nbLast) |
    NavButton(nbDelete) | NavButton(nbEdit) | NavButton(nbPost) | NavButton(nbCancel);

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

TFoVrhyEdit::TFoVrhyEdit(TDM1& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("FoVrhyEdit"));
    setWindowTitle(QStringLiteral("Vrhy - úpravy"));
    BuildControls();
    LayOut();
}

TKDBEditKopa* TFoVrhyEdit::BoundEdit(const char* name, const char* field, bool commaToPoint) {
    auto* edit = new TKDBEditKopa(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->CommaToPoint = commaToPoint;
    edit->Loaded();
    edit->SetDataSource(&dm_.SoVrhy);
    edit->SetDataField(QString::fromLatin1(field));
    return edit;
}

TDBMemoLumex* TFoVrhyEdit::BoundMemo(const char* name, const char* field) {
    auto* memo = new TDBMemoLumex(this);
    memo->setObjectName(QString::fromLatin1(name));
    memo->SetDataSource(&dm_.SoVrhy);
    memo->SetDataField(QString::fromLatin1(field));
    return memo;
}

void TFoVrhyEdit::BuildControls() {
    navigator_ = new TDBNavigatorKopa(this);
    navigator_->setObjectName(QStringLiteral("DBNavigator1"));
    navigator_->SetVisibleButtons(kNavigatorButtons);
    navigator_->SetCaptions({QStringLiteral("První"), QStringLiteral("Vzad"),
                             QStringLiteral("Vpřed"), QStringLiteral("Konec"), QString(),
                             QStringLiteral("Smaž"), QStringLiteral("Oprav"),
                             QStringLiteral("Ulož"), QStringLiteral("Storno")});
    navigator_->SetDataSource(&dm_.SoVrhy);

    grid_ = new TDbGridKOPA(this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->SetDataSource(&dm_.SoVrhy);
    grid_->SetColumns({QStringLiteral("Datum"), QStringLiteral("Jmeno_reg_otec")});
    grid_->SetColumnTitle(1, QStringLiteral("Otec"));

    dam_ = BoundEdit("DBEditJmeno_registr", "Jmeno_registr", false);
    dam_->SetReadOnly(true);
    dam_->setFocusPolicy(Qt::NoFocus);
    QFont bold = dam_->font();
    bold.setBold(true);
    dam_->setFont(bold);
    sire_ = BoundEdit("DBEditJmeno_reg_otec", "Jmeno_reg_otec", false);
    breed_ = BoundEdit("DBEditPlemeno", "Plemeno", false);
    birth_ = BoundEdit("DBEditDatum", "Datum", true);
    males_ = BoundEdit("DBEditPocet_stenat_P", "Pocet_stenat_P", true);
    females_ = BoundEdit("DBEditPocet_stenat_F", "Pocet_stenat_F", true);
    names_ = BoundMemo("DBMemoJmenaStenat", "JmenaStenat");
    note_ = BoundMemo("DBMemoPoznamka", "Poznamka");

    close_ = new QPushButton(QStringLiteral("Zavřít"), this);
    close_->setObjectName(QStringLiteral("BtnClose"));
    close_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}

void TFoVrhyEdit::LayOut() {
    const int nameWidth = fontMetrics().horizontalAdvance(QString(30, QLatin1Char('n')));
    const int countWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16;
    const int dateWidth = fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 24;
    grid_->setMinimumWidth(nameWidth + dateWidth + 60);
    grid_->setColumnWidth(0, dateWidth);
    grid_->horizontalHeader()->setStretchLastSection(true);
    for (QWidget* wide : {static_cast<QWidget*>(dam_), static_cast<QWidget*>(sire_),
                          static_cast<QWidget*>(breed_)}) {
        wide->setMinimumWidth(nameWidth);
    }
    birth_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 20);
    males_->setFixedWidth(countWidth);
    females_->setFixedWidth(countWidth);
    names_->setMinimumHeight(fontMetrics().height() * 6);
    note_->setMinimumHeight(fontMetrics().height() * 3);

    auto* detail = new QGridLayout;
    detail->setColumnStretch(1, 1);
    int row = 0;
    detail->addWidget(Caption(QStringLiteral("Registrované\n jméno matky"), dam_, this), row, 0);
    detail->addWidget(dam_, row++, 1);
    detail->addWidget(Caption(QStringLiteral("Registrované\n jméno otce"), sire_, this), row, 0);
    detail->addWidget(sire_, row++, 1);
    detail->addWidget(Caption(QStringLiteral("Plemeno"), breed_, this), row, 0);
    detail->addWidget(breed_, row++, 1);
    detail->addWidget(Caption(QStringLiteral("Datum porodu"), birth_, this), row, 0);
    detail->addWidget(birth_, row++, 1, Qt::AlignLeft);
    auto* counts = new QHBoxLayout;
    counts->setSpacing(6);
    counts->addWidget(Caption(QStringLiteral("Pes"), males_, this));
    counts->addWidget(males_);
    counts->addSpacing(16);
    counts->addWidget(Caption(QStringLiteral("Fena"), females_, this));
    counts->addWidget(females_);
    counts->addStretch();
    detail->addWidget(Caption(QStringLiteral("Počet štěňat "), males_, this), row, 0);
    detail->addLayout(counts, row++, 1);
    detail->addWidget(Caption(QStringLiteral("Jména štěňat"), names_, this), row, 0, Qt::AlignTop);
    detail->addWidget(names_, row++, 1);
    detail->addWidget(Caption(QStringLiteral("Poznámka"), note_, this), row, 0, Qt::AlignTop);
    detail->addWidget(note_, row++, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(grid_);
    body->addLayout(detail, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(navigator_);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);
    resize(nameWidth * 3, fontMetrics().height() * 30);
}

bool TFoVrhyEdit::PostPendingEdit() {
    platform::DataSet& litters = dm_.TaVrhy;
    if (!litters.IsActive() || (litters.State() != platform::DataSetState::Edit &&
                                litters.State() != platform::DataSetState::Insert)) {
        return true;
    }
    try {
        UpdateBoundControls(litters);
        litters.Post();
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
        return false;
    }
    return true;
}

void TFoVrhyEdit::done(int result) {
    if (!PostPendingEdit()) {
        return;
    }
    QDialog::done(result);
}
