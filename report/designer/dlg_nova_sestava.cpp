#include "report/designer/dlg_nova_sestava.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/messages.h"

TDlgNovaSestava::TDlgNovaSestava(const QList<TDraftField>& fields, bool sledPodle, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("DlgNovaSestava"));
    setWindowTitle(QStringLiteral("Návrh nové předlohy"));
    auto* grid = new QGridLayout(this);

    srcList_ = new QListWidget(this);
    srcList_->setObjectName(QStringLiteral("SrcList"));
    srcList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The lists show the fields' captions; each item keeps its field's name.
    for (const TDraftField& field : fields) {
        auto* item = new QListWidgetItem(field.label.isEmpty() ? field.name : field.label);
        item->setData(Qt::UserRole, field.name);
        srcList_->addItem(item);
    }
    dstList_ = new QListWidget(this);
    dstList_->setObjectName(QStringLiteral("DstList"));
    dstList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    dstList_->setDragDropMode(QAbstractItemView::InternalMove);
    auto* srcLabel = new QLabel(QStringLiteral("Dostupné položky:"), this);
    srcLabel->setBuddy(srcList_);
    auto* dstLabel = new QLabel(QStringLiteral("Vybrané položky:"), this);
    dstLabel->setBuddy(dstList_);
    grid->addWidget(srcLabel, 0, 0);
    grid->addWidget(dstLabel, 0, 2);
    grid->addWidget(srcList_, 1, 0);
    grid->addWidget(dstList_, 1, 2);

    auto* moves = new QVBoxLayout;
    auto button = [this, moves](const QString& name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        moves->addWidget(b);
        return b;
    };
    include_ = button(QStringLiteral("IncludeBtn"), QStringLiteral(">"));
    includeAll_ = button(QStringLiteral("IncAllBtn"), QStringLiteral(">>"));
    exclude_ = button(QStringLiteral("ExcludeBtn"), QStringLiteral("<"));
    excludeAll_ = button(QStringLiteral("ExAllBtn"), QStringLiteral("<<"));
    moves->addStretch();
    grid->addLayout(moves, 1, 1);
    connect(include_, &QPushButton::clicked, this, &TDlgNovaSestava::Include);
    connect(includeAll_, &QPushButton::clicked, this, &TDlgNovaSestava::IncludeAll);
    connect(exclude_, &QPushButton::clicked, this, &TDlgNovaSestava::Exclude);
    connect(excludeAll_, &QPushButton::clicked, this, &TDlgNovaSestava::ExcludeAll);
    connect(srcList_, &QListWidget::itemDoubleClicked, this, &TDlgNovaSestava::Include);
    connect(dstList_, &QListWidget::itemDoubleClicked, this, &TDlgNovaSestava::Exclude);

    auto* options = new QHBoxLayout;
    auto* styleLabel = new QLabel(QStringLiteral("Styl předlohy:"), this);
    columnStyle_ = new QToolButton(this);
    columnStyle_->setObjectName(QStringLiteral("SBSloupec"));
    columnStyle_->setText(QStringLiteral("Sloupce"));
    columnStyle_->setToolTip(QStringLiteral("Položky vedle sebe, jeden záznam na řádek"));
    rowStyle_ = new QToolButton(this);
    rowStyle_->setObjectName(QStringLiteral("SBRadek"));
    rowStyle_->setText(QStringLiteral("Řádky"));
    rowStyle_->setToolTip(QStringLiteral("Jedna položka na řádek s popisem vlevo"));
    for (QToolButton* b : {columnStyle_, rowStyle_}) {
        b->setCheckable(true);
        b->setAutoExclusive(true);
    }
    columnStyle_->setChecked(true);
    styleLabel->setBuddy(columnStyle_);
    options->addWidget(styleLabel);
    options->addWidget(columnStyle_);
    options->addWidget(rowStyle_);
    byName_ = new QCheckBox(QStringLiteral("Pol. podle názvu"), this);
    byName_->setObjectName(QStringLiteral("CBSledovatPodle"));
    byName_->setChecked(sledPodle);
    captions_ = new QCheckBox(QStringLiteral("Popisy položek"), this);
    captions_->setObjectName(QStringLiteral("CBPopisyPolozek"));
    captions_->setChecked(true);
    captionsAsText_ = new QCheckBox(QStringLiteral("Popisy textem"), this);
    captionsAsText_->setObjectName(QStringLiteral("CBPopisyTextem"));
    options->addWidget(byName_);
    options->addWidget(captions_);
    options->addWidget(captionsAsText_);
    options->addStretch();
    grid->addLayout(options, 2, 0, 1, 3);

    auto* buttons = new QHBoxLayout;
    auto* paper = new QPushButton(QStringLiteral("&Formát papíru"), this);
    paper->setObjectName(QStringLiteral("BitBtn1"));
    auto* draft = new QPushButton(QStringLiteral("&Navrhnout"), this);
    draft->setObjectName(QStringLiteral("OKBtn"));
    draft->setDefault(true);
    auto* byHand = new QPushButton(QStringLiteral("&Ručně"), this);
    byHand->setObjectName(QStringLiteral("RucneBtn"));
    auto* cancel = new QPushButton(QStringLiteral("Storno"), this);
    cancel->setObjectName(QStringLiteral("HelpBtn"));
    buttons->addWidget(paper);
    buttons->addStretch();
    buttons->addWidget(draft);
    buttons->addWidget(byHand);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 0, 1, 3);
    connect(paper, &QPushButton::clicked, this, [this] {
        if (OnPaperFormat) {
            OnPaperFormat();
        }
    });
    connect(draft, &QPushButton::clicked, this, &TDlgNovaSestava::Draft);
    connect(byHand, &QPushButton::clicked, this, [this] { done(kByHand); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(kCancel); });
    UpdateButtons();
}

TDraftChoice TDlgNovaSestava::Choice() const {
    TDraftChoice choice;
    for (int i = 0; i < dstList_->count(); ++i) {
        choice.chosen << dstList_->item(i)->data(Qt::UserRole).toString();
    }
    choice.columnStyle = columnStyle_->isChecked();
    choice.byName = byName_->isChecked();
    choice.captions = captions_->isChecked();
    choice.captionsAsText = captionsAsText_->isChecked();
    return choice;
}

void TDlgNovaSestava::MoveSelected(QListWidget* from, QListWidget* to) {
    int first = -1;
    for (int i = 0; i < from->count(); ++i) {
        if (from->item(i)->isSelected()) {
            first = i;
            break;
        }
    }
    // Scanning from the last item to the first, so several items selected
    // together arrive in reverse order.
    for (int i = from->count() - 1; i >= 0; --i) {
        if (from->item(i)->isSelected()) {
            to->addItem(from->takeItem(i));
        }
    }
    to->clearSelection();
    from->clearSelection();
    if (from->count() > 0) {
        const int select = first < 0 ? 0 : std::min(first, from->count() - 1);
        from->setCurrentRow(select);
        from->item(select)->setSelected(true);
        from->setFocus();
    }
}

void TDlgNovaSestava::Include() {
    MoveSelected(srcList_, dstList_);
    UpdateButtons();
}

void TDlgNovaSestava::Exclude() {
    MoveSelected(dstList_, srcList_);
    UpdateButtons();
}

void TDlgNovaSestava::IncludeAll() {
    while (srcList_->count() > 0) {
        dstList_->addItem(srcList_->takeItem(0));
    }
    UpdateButtons();
}

void TDlgNovaSestava::ExcludeAll() {
    while (dstList_->count() > 0) {
        srcList_->addItem(dstList_->takeItem(0));
    }
    UpdateButtons();
}

void TDlgNovaSestava::UpdateButtons() {
    include_->setEnabled(srcList_->count() > 0);
    includeAll_->setEnabled(srcList_->count() > 0);
    exclude_->setEnabled(dstList_->count() > 0);
    excludeAll_->setEnabled(dstList_->count() > 0);
}

void TDlgNovaSestava::Draft() {
    if (dstList_->count() == 0) {
        platform::ShowMessage(
            QStringLiteral("Nebyly vybrány žádné položky. Návrh nemůže být proveden!"),
            QStringLiteral("Informace"), platform::MessageIcon::Information);
        return;
    }
    done(kDraft);
}

void TDlgNovaSestava::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        done(kByHand);
        return;
    }
    QDialog::keyPressEvent(event);
}
