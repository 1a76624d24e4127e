#pragma once
// What the data module and the shell need of the record sheet. The sheet
// lives in records/, above the shell, so the data module and the launcher
// reach it through this interface: the sheet registers itself with the data
// module, and the program's main hands a factory to the start-up sequence.

#include <QStringList>
#include <functional>
#include <memory>

class TDM1;
class TSpecialSelectionsView;
struct Parametry;

// Which page and mode the launcher opens the sheet with.
enum class TRecordSheetEntry {
    reEdit,    // "Evidence": edit mode on the record page
    rePrints,  // "Tiskové výstupy": browse mode on the print page
};

class TRecordSheetView {
  public:
    virtual ~TRecordSheetView() = default;

    // ---- asked by the data module -----------------------------------------
    // Edit mode (the card follows main_card.db) or browse mode (QSeznamy).
    virtual bool IsEditMode() const = 0;
    // Binds the photo control to column "foto_1" of foto_album.db's current
    // row and redraws it (true), or unbinds it so it shows nothing (false).
    virtual void ShowPhoto(bool bound) = 0;
    // The breeds offered by the card's breed drop-down and by the two breed
    // fields of the list filter.
    virtual void SetBreedLists(const QStringList& breeds) = 0;

    // ---- used by the shell ------------------------------------------------
    // Binds the sheet to the data module's sources (once, after the module
    // is created).
    virtual void AttachDataModule(TDM1& dataModule) = 0;
    // The special selections form the print page asks for its conditions
    // (once, after the form is created at start-up).
    virtual void AttachSelections(TSpecialSelectionsView& selections) { (void)selections; }
    // Shows the sheet modally in the entry's mode and page.
    virtual void ShowEntry(TRecordSheetEntry entry) = 0;
    // The settings were applied: "Foto" and "Tituly" follow OnlineFoto and
    // OnlineTituly.
    virtual void ApplySettings(const Parametry& settings) = 0;
};

using RecordSheetFactory = std::function<std::unique_ptr<TRecordSheetView>()>;
