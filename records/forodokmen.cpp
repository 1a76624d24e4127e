#include "records/forodokmen.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "controls/db_navigator.h"
#include "controls/k_db_edit.h"
#include "platform/messages.h"
#include "platform/store/store_error.h"
#include "records/ancestor_search.h"
#include "records/bound_parts.h"
#include "records/entry_form_parts.h"
#include "records/genetics/ancestor_reader.h"
#include "records/genetics/inbreeding_figures.h"
#include "records/inbreeding_page.h"
#include "records/pedigree_chart.h"

namespace {

constexpr int kHelpTopic = 307;
constexpr TButtonSet kNavigatorButtons =
    NavButton(nbDelete) | NavButton(nbEdit) | NavButton(nbPost) | NavButton(nbCancel);
const char kPlaceProperty[] = "pedigreeField";  // the column a hovered field stands for

}  // namespace

TFoRodokmen::TFoRodokmen(TDM1& dm, platform::DataSet& cards, bool appendNew, QWidget* parent)
    : QDialog(parent), dm_(dm), cards_(cards) {
    setObjectName(QStringLiteral("FoRodokmen"));
    setWindowTitle(QStringLiteral("Rodokmen"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildHeader());
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    pages_->addTab(BuildNamesPage(), QStringLiteral("Jména předků"));
    pages_->addTab(BuildTitlesPage(), QStringLiteral("Tituly předků"));
    inbreeding_ = new TInbreedingPage;
    inbreeding_->setObjectName(QStringLiteral("TabPribuzenska"));
    pages_->addTab(inbreeding_, QStringLiteral("Příbuzenská plemenitba"));
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
        if (pages_->widget(index) == inbreeding_) {
            ShowInbreeding();
        }
    });
    layout->addWidget(pages_, 1);

    platform::DataSet& row = dm_.TaRodokmen;
    animal_ = row.IsActive() && row.RecNo() >= 0 && !appendNew
                  ? row.FieldByName(QStringLiteral("Jmeno_registr")).AsString()
                  : dm_.CurrentAnimal.JmenoRegistr();
    newPedigree_->setVisible(appendNew);
    if (appendNew) {
        row.Append();
        row.FieldByName(QStringLiteral("Jmeno_registr"))
            .SetAsString(dm_.CurrentAnimal.JmenoRegistr());
        row.FieldByName(QStringLiteral("Otec")).SetAsString(dm_.CurrentAnimal.Otec());
        row.FieldByName(QStringLiteral("Matka")).SetAsString(dm_.CurrentAnimal.Matka());
    }
    resize(sizeHint().boundedTo(QSize(1560, 960)));
}

QWidget* TFoRodokmen::BuildHeader() {
    auto* header = new QWidget(this);
    auto* layout = new QHBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);
    info_ = new QLabel(header);
    info_->setObjectName(QStringLiteral("LabelInfo"));
    QFont bold = info_->font();
    bold.setBold(true);
    info_->setFont(bold);
    info_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(40, QLatin1Char('n'))));

    navigator_ = new TDBNavigatorKopa(header);
    navigator_->setObjectName(QStringLiteral("DBNavigator1"));
    navigator_->SetVisibleButtons(kNavigatorButtons);
    navigator_->SetCaptions({QString(), QString(), QString(), QString(), QString(),
                             QStringLiteral("Smaž"), QStringLiteral("Oprav"),
                             QStringLiteral("Ulož"), QStringLiteral("Storno")});
    navigator_->SetDataSource(&dm_.SoRodokmen);
    // The pedigree table holds every animal's row: once the animal's own row
    // is deleted, the next one would be another animal's, so the sheet closes.
    navigator_->OnClick = [this](TDBNavigatorKopa*, TNavigateBtn button) {
        if (button == nbDelete && !ShowsTheAnimal()) {
            QDialog::done(QDialog::Accepted);
        }
    };
    // Room for each button's caption under its picture.
    navigator_->setMinimumSize(320, navigator_->sizeHint().height());

    QPushButton* close = NewFormButton("BtnZavrit", QStringLiteral("Zavřít"), header);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    QToolButton* help = NewHelpButton(kHelpTopic, header);
    help->setObjectName(QStringLiteral("BtnHelp"));

    layout->addWidget(info_, 1);
    layout->addWidget(navigator_);
    layout->addWidget(close);
    layout->addWidget(help);
    return header;
}

TKDBEditKopa* TFoRodokmen::BoundEdit(const QString& field, const QString& objectName) {
    TKDBEditKopa* edit = NewBoundEdit(objectName, dm_.SoRodokmen, field, 0, false, this);
    edit->setProperty(kPlaceProperty, field);
    edit->installEventFilter(this);
    return edit;
}

QWidget* TFoRodokmen::BuildNamesPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabJmena"));
    auto* layout = new QVBoxLayout(page);
    auto* chart = new TPedigreeChart(page);
    chart->setObjectName(QStringLiteral("ChartJmena"));
    chart->installEventFilter(this);
    for (int place = pedigree::kFirstPlace; place <= pedigree::kLastPlace; ++place) {
        const QString field = pedigree::PlaceField(place);
        names_[place] = BoundEdit(field, QStringLiteral("DBEdit") + field);
        chart->SetPlace(place, names_[place]);
    }
    QFont bold = names_[1]->font();
    bold.setBold(true);
    names_[1]->setFont(bold);
    ChainPlaces(names_);

    auto* buttons = new QHBoxLayout;
    newPedigree_ = new QLabel(QStringLiteral("Nový rodokmen"), page);
    newPedigree_->setObjectName(QStringLiteral("LabelNovy"));
    QFont big = newPedigree_->font();
    big.setBold(true);
    newPedigree_->setFont(big);
    newPedigree_->setStyleSheet(QStringLiteral("color: #b00000"));
    const QString hint =
        QStringLiteral("Prohledá evidenční listy a pokud najde předky dosadí je do rodokmenu");
    auto* bySire = new QPushButton(QStringLiteral("Najdi předky po otci"), page);
    bySire->setObjectName(QStringLiteral("BtnNajdiOtec"));
    bySire->setToolTip(hint);
    bySire->setAutoDefault(false);
    connect(bySire, &QPushButton::clicked, this, [this] { SearchAncestors(true); });
    auto* byDam = new QPushButton(QStringLiteral("Najdi předky po matce"), page);
    byDam->setObjectName(QStringLiteral("BtnNajdiMatka"));
    byDam->setToolTip(hint);
    byDam->setAutoDefault(false);
    connect(byDam, &QPushButton::clicked, this, [this] { SearchAncestors(false); });
    buttons->addWidget(newPedigree_);
    buttons->addStretch();
    buttons->addWidget(bySire);
    buttons->addWidget(byDam);
    layout->addWidget(chart, 1);
    layout->addLayout(buttons);
    return page;
}

QWidget* TFoRodokmen::BuildTitlesPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabTituly"));
    auto* layout = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    TKDBEditKopa* animal =
        BoundEdit(QStringLiteral("Jmeno_registr"), QStringLiteral("DBEditJmeno_registrTituly"));
    animal->setMinimumWidth(fontMetrics().horizontalAdvance(QString(36, QLatin1Char('n'))));
    QFont bold = animal->font();
    bold.setBold(true);
    animal->setFont(bold);
    auto* caption = new QLabel(QStringLiteral("Jméno registrované"), page);
    caption->setBuddy(animal);
    top->addWidget(caption);
    top->addWidget(animal);
    top->addStretch();
    layout->addLayout(top);
    auto* chart = new TPedigreeChart(page);
    chart->setObjectName(QStringLiteral("ChartTituly"));
    chart->installEventFilter(this);
    for (int place = pedigree::kFirstPlace; place <= pedigree::kLastPlace; ++place) {
        const QString field = pedigree::PlaceTitleField(place);
        titles_[place] = BoundEdit(field, QStringLiteral("DBEdit") + field);
        chart->SetPlace(place, titles_[place]);
        chart->Caption(place)->setText(place == 1 ? QStringLiteral("Tituly zvířete")
                                                  : QStringLiteral("Tituly: ") +
                                                        TPedigreeChart::PlaceCaption(place));
    }
    setTabOrder(animal, titles_[1]);
    ChainPlaces(titles_);
    layout->addWidget(chart, 1);
    return page;
}

// Enter moves on through the places in order: the animal, its parents, the
// grandparents, and so on down each generation's column.
void TFoRodokmen::ChainPlaces(const std::array<TKDBEditKopa*, pedigree::kLastPlace + 1>& fields) {
    ChainTabOrder(QList<QWidget*>(fields.begin() + pedigree::kFirstPlace, fields.end()));
}

// Over a name field the information label shows the title stored for it,
// over a title field the name it belongs to; over the bare page nothing.
bool TFoRodokmen::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Enter:
            if (watched->property(kPlaceProperty).isValid()) {
                ShowHoverText(watched);
            } else {
                info_->clear();
            }
            break;
        case QEvent::Leave:
            if (watched->property(kPlaceProperty).isValid()) {
                info_->clear();
            }
            break;
        case QEvent::MouseMove:
            if (!watched->property(kPlaceProperty).isValid()) {
                info_->clear();
            }
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

void TFoRodokmen::ShowHoverText(QObject* field) {
    const QString column = field->property(kPlaceProperty).toString();
    const QString other =
        column.startsWith(QLatin1String("TIT_")) ? column.mid(4) : QStringLiteral("TIT_") + column;
    platform::DataSet& row = dm_.TaRodokmen;
    const bool hasRow = row.IsActive() && (row.RecNo() >= 0 || RowBeingEdited());
    platform::Field* shown = hasRow ? row.FindField(other) : nullptr;
    info_->setText(shown != nullptr ? shown->AsString() : QString());
}

bool TFoRodokmen::ShowsTheAnimal() const {
    platform::DataSet& row = dm_.TaRodokmen;
    if (!row.IsActive() || (row.RecNo() < 0 && !RowBeingEdited())) {
        return false;
    }
    return row.FieldByName(QStringLiteral("Jmeno_registr")).AsString() == animal_;
}

bool TFoRodokmen::RowBeingEdited() const {
    const platform::DataSetState state = dm_.TaRodokmen.State();
    return state == platform::DataSetState::Edit || state == platform::DataSetState::Insert;
}

// A change typed into the focused field is written to the row first.
bool TFoRodokmen::CommitFocusedField() {
    auto* focused = qobject_cast<TKDBEditKopa*>(QApplication::focusWidget());
    return focused == nullptr || focused->window() != this || focused->UpdateRecord();
}

void TFoRodokmen::SearchAncestors(bool sireSide) {
    if (!CommitFocusedField()) {
        return;
    }
    platform::DataSet& row = dm_.TaRodokmen;
    try {
        if (!RowBeingEdited()) {
            row.Edit();
        }
        cards_.DisableControls();
        pedigree::SearchAncestors(row, cards_, sireSide);
        cards_.EnableControls();
    } catch (const platform::StoreError& error) {
        if (cards_.ControlsDisabled()) {
            cards_.EnableControls();
        }
        ShowErrorBox(error.Message());
    }
}

void TFoRodokmen::ShowInbreeding() {
    platform::DataSet& row = dm_.TaRodokmen;
    pedigree::TPedigreeRowNames shown;
    if (row.IsActive() && (row.RecNo() >= 0 || RowBeingEdited())) {
        for (int place = pedigree::kFirstPlace; place <= pedigree::kLastPlace; ++place) {
            shown[place] = row.FieldByName(pedigree::PlaceField(place)).AsString();
        }
    }
    try {
        const pedigree::TPedigreeGraph graph = pedigree::LoadAncestorGraph(
            *row.GetDatabase(), {shown[pedigree::kFirstPlace]}, {shown});
        QStringList problems;
        for (const pedigree::TPedigreeProblem& problem : graph.Problems()) {
            problems << problem.text;
        }
        const int animal = graph.Find(shown[pedigree::kFirstPlace]);
        inbreeding_->ShowFigures(shown[pedigree::kFirstPlace].trimmed(),
                                 pedigree::AnalyseAnimal(graph, animal), problems);
    } catch (const platform::StoreError& error) {
        ShowErrorBox(error.Message());
    }
}

void TFoRodokmen::done(int result) {
    if (!CommitFocusedField()) {
        return;
    }
    platform::DataSet& row = dm_.TaRodokmen;
    if (RowBeingEdited()) {
        const int answer = platform::ShowMessage(
            QStringLiteral("V rodokmenu nejsou uloženy změny, uložit ?"), QString(),
            platform::MessageIcon::Warning, platform::mbYes | platform::mbNo | platform::mbCancel);
        try {
            if (answer == platform::mbYes) {
                row.Post();
            } else if (answer == platform::mbNo) {
                row.Cancel();
            } else {
                return;
            }
        } catch (const platform::StoreError& error) {
            ShowErrorBox(error.Message());
            return;
        }
    }
    QDialog::done(result);
}
