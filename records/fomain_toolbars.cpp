// The record sheet's two tool bars: the edit bar (page "TISKY" and the edit
// forms of every event book) and the new-entry bar (the entry forms and the
// closing button), with the row of book names between them. Every form gets
// the animal the card shows; the books without a form of their own yet
// answer "Tento příkaz není zatím funkční" on the same road.
#include <QGridLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

#include "app/dmunit.h"
#include "app/shared_messages.h"
#include "controls/K_Edit.h"
#include "platform/messages.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"
#include "platform/widgets/dialogs.h"
#include "records/fochovnost.h"
#include "records/fofotoalbum_zapis.h"
#include "records/fokrytiedit.h"
#include "records/fokrytizapis.h"
#include "records/fomain.h"
#include "records/foosetreniedit.h"
#include "records/foosetreninew.h"
#include "records/forodokmen.h"
#include "records/fotituly.h"
#include "records/fovrhyedit.h"
#include "records/fovrhyzapis.h"
#include "records/fovystavy.h"
#include "records/fozkousky.h"

namespace {

const QString kRegisteredName = QStringLiteral("Jmeno_registr");

struct BookButtons {
    TEventBook book;
    const char* name;
    const char* editCaption;
    const char* label;
    const char* newCaption;
};

const BookButtons kBooks[] = {
    {TEventBook::ebOsetreni, "Osetreni", "Zdrav. karta", "Zdrav. karta", "Zdr. karta"},
    {TEventBook::ebVystavy, "Vystavy", "Výstavy", "Výstavy", "Výstavy"},
    {TEventBook::ebTituly, "Tituly", "Tituly", "Tituly", "Tituly"},
    {TEventBook::ebZkousky, "Zkousky", "Soutěže", "Zkoušky", "Soutěže"},
    {TEventBook::ebChovnost, "Chovnost", "Chovnost", "Chovnost", "Chovnost"},
    {TEventBook::ebKryti, "Kryti", "Krytí", "Krytí", "Krytí"},
    {TEventBook::ebVrhy, "Vrhy", "Vrhy", "Vrhy", "Vrhy"},
    {TEventBook::ebRodokmen, "Rodokmen", "Rodokmen", "Rodokmen", "Rodokmen"},
    {TEventBook::ebFoto, "Foto", "Foto", "Foto", "Foto"},
};

void ShowStoreError(const platform::StoreError& error) {
    platform::ShowMessage(error.Message(), QString(), platform::MessageIcon::Error, platform::mbOK);
}

// The entry or edit form of a book of the shared pattern; an entry form is
// labelled with the registered name it writes for.
template <typename EntryForm, typename EditForm>
void OpenBookForm(TDM1& dm, QWidget* parent, bool entry, const QString& registeredName) {
    if (entry) {
        EntryForm form(dm, parent);
        form.Jmeno_registr->setText(registeredName);
        platform::ExecModal(form);
    } else {
        EditForm form(dm, parent);
        platform::ExecModal(form);
    }
}

}  // namespace

QToolButton* TFoMain::BarButton(const QString& name, const QString& caption) {
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(caption);
    button->setMinimumWidth(84);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return button;
}

QWidget* TFoMain::BuildToolBars() {
    auto* bars = new QFrame(this);
    bars->setObjectName(QStringLiteral("ToolBars"));
    bars->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(bars);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(0);

    tisky_ = BarButton(QStringLiteral("BtnTisky"), QStringLiteral("Tisky"));
    tisky_->setToolTip(QStringLiteral("Návrat k tiskům"));
    connect(tisky_, &QToolButton::clicked, this, [this] { ShowPage(QStringLiteral("TISKY")); });
    grid->addWidget(tisky_, 0, 0);

    int column = 1;
    for (const BookButtons& entry : kBooks) {
        const QString name = QString::fromLatin1(entry.name);
        QToolButton* edit =
            BarButton(QStringLiteral("BtnEdit") + name, QString::fromUtf8(entry.editCaption));
        connect(edit, &QToolButton::clicked, this,
                [this, book = entry.book] { OpenEditForm(book); });
        auto* label = new QLabel(QString::fromUtf8(entry.label));
        label->setObjectName(QStringLiteral("Label") + name);
        label->setAlignment(Qt::AlignCenter);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        label->setContentsMargins(0, 3, 0, 3);
        QToolButton* add =
            BarButton(QStringLiteral("BtnNew") + name, QString::fromUtf8(entry.newCaption));
        connect(add, &QToolButton::clicked, this,
                [this, book = entry.book] { OpenNewEntry(book); });
        grid->addWidget(edit, 0, column);
        grid->addWidget(label, 1, column);
        grid->addWidget(add, 2, column);
        ++column;
    }
    AddDiaryButtons(grid, column++);
    QToolButton* close = BarButton(QStringLiteral("BtnNewZavrit"), QString());
    close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    close->setToolTip(QStringLiteral("Zavřít"));
    connect(close, &QToolButton::clicked, this, &TFoMain::CloseSheet);
    grid->addWidget(close, 2, column);
    return bars;
}

QString TFoMain::CardRegisteredName(platform::DataSet& dataSet) const {
    if (!dataSet.IsActive() || dataSet.RecNo() < 0) {
        return QString();
    }
    return dataSet.FieldByName(kRegisteredName).AsString();
}

// The registered name, sire, dam and breed of the row the card shows.
void TFoMain::CopyCurrentAnimal() {
    platform::DataSet& card = CardDataSet();
    const bool hasRow = card.IsActive() && card.RecNo() >= 0;
    const auto column = [&](const char* name) {
        return hasRow ? card.FieldByName(QString::fromLatin1(name)).AsString() : QString();
    };
    TCurrentAnimal& animal = dm_->CurrentAnimal;
    animal.SetJmenoRegistr(column("Jmeno_registr"));
    animal.SetMatka(column("Matka"));
    animal.SetOtec(column("Otec"));
    animal.SetPlemeno(column("Plemeno"));
}

// One road per book from the tool bars to its entry or edit form; a book
// whose forms are not there yet answers that the command does not work yet.
void TFoMain::OpenEventForm(TEventBook book, bool entry) {
    switch (book) {
        case TEventBook::ebVrhy:
            entry ? OpenLitterEntry() : OpenLitterEdit();
            return;
        case TEventBook::ebKryti:
            entry ? OpenMatingEntry() : OpenMatingEdit();
            return;
        case TEventBook::ebOsetreni:
            entry ? OpenVisitEntry() : OpenVisitEdit();
            return;
        case TEventBook::ebVystavy:
            OpenBookForm<TFoVystavyZapis, TFoVystavyEdit>(*dm_, this, entry,
                                                          dm_->CurrentAnimal.JmenoRegistr());
            return;
        case TEventBook::ebTituly:
            OpenBookForm<TFoTitulZapis, TFoTituly_Edit>(*dm_, this, entry,
                                                        dm_->CurrentAnimal.JmenoRegistr());
            return;
        case TEventBook::ebZkousky:
            OpenBookForm<TFoZkousky_Zapis, TFoZkouskyEdit>(*dm_, this, entry,
                                                           CardRegisteredName(dm_->TaMain_Card));
            return;
        case TEventBook::ebChovnost:
            OpenBookForm<TFoChovnostZapis, TFoChovnostEdit>(*dm_, this, entry,
                                                            dm_->CurrentAnimal.JmenoRegistr());
            return;
        case TEventBook::ebRodokmen:
            OpenPedigreeForm(entry);
            return;
        case TEventBook::ebFoto:
            TFoFotoAlbum_Zapis::ShowFor(*dm_, CardRegisteredName(dm_->TaMain_Card), this);
            return;
    }
}

// A litter is entered for its dam: a card whose sex is "Pes" is refused, a
// card without a sex is taken at the breeder's word.
void TFoMain::OpenLitterEntry() {
    platform::DataSet& card = CardDataSet();
    if (card.IsActive() && card.RecNo() >= 0 &&
        card.FieldByName(QStringLiteral("Pohlavi"))
                .AsString()
                .trimmed()
                .compare(QStringLiteral("Pes"), Qt::CaseInsensitive) == 0) {
        platform::ShowMessage(QStringLiteral("Vrh lze zapsat jen u feny"), QString(),
                              platform::MessageIcon::Error, platform::mbOK);
        return;
    }
    TFoVrhyZapis form(*dm_, this);
    form.Jmeno_reg_matka->setText(dm_->CurrentAnimal.JmenoRegistr());
    form.EditPlemeno->setText(dm_->CurrentAnimal.Plemeno());
    platform::ExecModal(form);
}

// The entry road appends a pedigree for an animal that has none yet; the
// edit road comes here only when the row was found.
void TFoMain::OpenPedigreeForm(bool entry) {
    const bool appendNew =
        entry && !dm_->TaRodokmen.Locate(kRegisteredName, dm_->CurrentAnimal.JmenoRegistr());
    TFoRodokmen form(*dm_, CardDataSet(), appendNew, this);
    platform::ExecModal(form);
}

void TFoMain::OpenLitterEdit() {
    TFoVrhyEdit form(*dm_, this);
    platform::ExecModal(form);
}

void TFoMain::OpenMatingEntry() {
    TFoKrytiZapis form(*dm_, this);
    form.Jmeno_registr->setText(dm_->CurrentAnimal.JmenoRegistr());
    platform::ExecModal(form);
}

void TFoMain::OpenMatingEdit() {
    TFoKrytiEditace form(*dm_, this);
    platform::ExecModal(form);
}

void TFoMain::OpenVisitEntry() {
    TFoOsetreniNew form(*dm_, this);
    form.Jmeno_registr->setText(dm_->CurrentAnimal.JmenoRegistr());
    platform::ExecModal(form);
}

void TFoMain::OpenVisitEdit() {
    TFoOsetreniEdit form(*dm_, this);
    platform::ExecModal(form);
}

void TFoMain::NothingFound(bool errorIcon) {
    if (errorIcon) {
        platform::ShowMessage(QStringLiteral("Nebyl nalezen žádný záznam "), QString(),
                              platform::MessageIcon::Error, platform::mbOK);
    } else {
        platform::ShowMessage(QStringLiteral("Nebyl nalezen žádný záznam"), QString(),
                              platform::MessageIcon::Information, platform::mbOK);
    }
}

// Finds the current animal's first row in an event book and leaves the book
// filtered to that animal. The filter keeps the rows it accepted when it was
// last switched on, so it is switched off for the look-up and on again after.
bool TFoMain::LookUpInFilteredBook(platform::DataSet& book) {
    book.Open();
    book.SetFiltered(false);
    const bool found = book.Locate(kRegisteredName, dm_->CurrentAnimal.JmenoRegistr());
    book.SetFiltered(true);
    return found;
}

void TFoMain::OpenNewEntry(TEventBook book) {
    try {
        switch (book) {
            case TEventBook::ebZkousky:
                // The exams entry names the animal of main_card.db and leaves
                // the current animal as it is.
                OpenEventForm(book, true);
                return;
            case TEventBook::ebRodokmen:
                NewPedigree();
                return;
            case TEventBook::ebFoto:
                OpenPhotoForm();
                return;
            default:
                break;
        }
        CopyCurrentAnimal();
        OpenEventForm(book, true);
        if (book == TEventBook::ebOsetreni) {
            dm_->TaOsetreni.Close();
        }
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
    }
}

void TFoMain::OpenEditForm(TEventBook book) {
    if (book == TEventBook::ebFoto) {
        OpenNewEntry(book);
        return;
    }
    try {
        CopyCurrentAnimal();
        switch (book) {
            case TEventBook::ebOsetreni: {
                dm_->TaOsetreni.Open();
                dm_->TaOsetreni.SetFiltered(true);
                dm_->TaOsetreni.RecordCount() > 0 ? OpenEventForm(book, false) : NothingFound(true);
                break;
            }
            case TEventBook::ebVystavy:
                LookUpInFilteredBook(dm_->TaVystavy) ? OpenEventForm(book, false)
                                                     : NothingFound(false);
                dm_->TaVystavy.SetFiltered(false);
                break;
            case TEventBook::ebTituly:
                LookUpInFilteredBook(dm_->TaTituly) ? OpenEventForm(book, false)
                                                    : NothingFound(false);
                break;
            case TEventBook::ebZkousky:
                LookUpInFilteredBook(dm_->TaZkousky);
                dm_->TaZkousky.RecordCount() > 0 ? OpenEventForm(book, false) : NothingFound(true);
                break;
            case TEventBook::ebChovnost:
                LookUpInFilteredBook(dm_->TaChovnost) ? OpenEventForm(book, false)
                                                      : NothingFound(false);
                dm_->TaChovnost.Close();
                break;
            case TEventBook::ebKryti:
                LookUpInFilteredBook(dm_->TaKryti);
                dm_->TaKryti.RecordCount() > 0 ? OpenEventForm(book, false) : NothingFound(true);
                break;
            case TEventBook::ebVrhy:
                LookUpInFilteredBook(dm_->TaVrhy) ? OpenEventForm(book, false)
                                                  : NothingFound(false);
                break;
            case TEventBook::ebRodokmen: {
                platform::DataSet& card = CardDataSet();
                const platform::Bookmark position = card.GetBookmark();
                dm_->TaRodokmen.Open();
                dm_->TaRodokmen.Locate(kRegisteredName, dm_->CurrentAnimal.JmenoRegistr())
                    ? OpenEventForm(book, false)
                    : NothingFound(false);
                if (position.IsValid()) {
                    card.GotoBookmark(position);
                }
                break;
            }
            case TEventBook::ebFoto:
                break;
        }
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
    }
}

// A pedigree needs both parents; the pedigree form then builds it.
void TFoMain::NewPedigree() {
    CopyCurrentAnimal();
    if (dm_->CurrentAnimal.Otec().isEmpty() || dm_->CurrentAnimal.Matka().isEmpty()) {
        platform::ShowMessage(
            QStringLiteral("Nelze zakládat rodokmen bez  zadání jména matky a otce "), QString(),
            platform::MessageIcon::Error, platform::mbOK);
        return;
    }
    platform::DataSet& card = CardDataSet();
    const platform::Bookmark position = card.GetBookmark();
    dm_->TaRodokmen.Open();
    OpenEventForm(TEventBook::ebRodokmen, true);
    if (position.IsValid()) {
        card.GotoBookmark(position);
    }
}

// The photo album form works on main_card.db's animal in both modes; the
// row it needs is appended when the form exists to fill it.
// A photo written by the form shows on the card at once.
void TFoMain::OpenPhotoForm() {
    dm_->TaFoto_Album.Open();
    const QString name = CardRegisteredName(dm_->TaMain_Card);
    const int result = TFoFotoAlbum_Zapis::ShowFor(*dm_, name, this);
    dm_->TaFoto_Album.Close();
    if (result != QDialog::Accepted) {
        return;
    }
    dm_->TaFoto_Album.Open();
    ShowPhoto(dm_->TaFoto_Album.Locate(QStringLiteral("Jmeno_registr"), name));
}
