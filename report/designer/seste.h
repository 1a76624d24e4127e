#pragma once
// TFormSestE: the window in which the template of one report is edited by
// hand: the tools, the design surface, the property panel, the element tree,
// undo and redo through the history of template texts, the clipboard,
// alignment, preview, print and save. Every state of the edited template is
// a complete template text; the surface edits the report's own layout, and
// each recorded step writes that layout out as a new history entry.

#include <QDialog>
#include <QPointer>
#include <map>
#include <memory>

#include "report/designer/design_geometry.h"
#include "report/designer/design_tools.h"
#include "report/designer/designer_clipboard.h"
#include "report/designer/designer_operations.h"
#include "report/designer/designer_settings.h"
#include "report/designer/dlgkonfprvku.h"
#include "report/designer/list_variant.h"
#include "report/designer/sestdlg.h"
#include "report/model/calc_value.h"

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QMenuBar;
class QTabWidget;
class QToolBar;
class TDesignProperties;
class TElementTree;
class TOddil;
class TPapir;
class TPravitko;
class TScrollBoxLumex;
class TSestava;
class TSestavaTyp;

// The caption's file part of a template that has no file yet.
inline const QString kUntitledCaption = QStringLiteral("nová předloha bez názvu");

class TFormSestE : public QDialog, public TDesignerOperations, public TTemplateSettingsHost {
    Q_OBJECT
  public:
    static constexpr int kZoomLevels = 11;
    static constexpr int kDefaultZoomLevel = 6;
    static double ZoomFactorOf(int level);

    explicit TFormSestE(QWidget* parent = nullptr);
    ~TFormSestE() override;

    // Opens the report in the window (before it is shown); false when the
    // window is not to be shown.
    bool OpenReport(TSestavaTyp& report, bool isDetail);
    TSestavaTyp& Report() const { return *report_; }
    TSestavaTyp& Report() override { return *report_; }
    // The settings file of the report library the report names.
    QString IniPath() const override;

    // ---- state ---------------------------------------------------------------------
    TListVariant& History() { return history_; }
    TPapir* Paper() const { return paper_; }
    TDesignerSettings& Settings() { return settings_; }
    bool Modified() const { return modified_; }
    int Unit() const { return unit_; }
    int ZoomLevel() const { return zoomLevel_; }
    int RasterX() const { return rasterX_; }
    int RasterY() const { return rasterY_; }
    double StepX() const { return stepX_; }
    double StepY() const { return stepY_; }
    int ActiveToolCode() const { return tool_; }
    bool PasteMode() const { return pasteMode_; }
    std::vector<TSesPrvek*> SelectedElements() const;
    QString CaptionText() const;
    TElementTree* Tree() const { return tree_; }
    TDesignProperties* Properties() const { return properties_; }
    QAction* Action(const QString& name) const;

    // ---- template texts ----------------------------------------------------------------
    void LoadState(const TPredloha& predloha);
    TPredloha WriteState();

    // ---- commands --------------------------------------------------------------------
    void SetTool(int code);
    void SetChooserIndex(int index);
    void SetGroupChoice(int index);
    void SetFunctionIndex(int index);
    void SetDetailIndex(int index);
    void Undo();
    void Redo();
    void Copy();
    void Cut();
    void StartPaste();
    void DeleteSelected();
    void AlignSelectedToGrid();
    void AlignAllToGrid();
    void RedirectByName();
    void BringToFront();
    void SendToBack();
    // Moves or resizes the selected elements by the keyboard rules.
    void KeyboardStep(int key, Qt::KeyboardModifiers mods);
    bool Save();
    bool SaveAs();
    // "Nová předloha...": the open template is closed (asking to save its
    // changes) and the wizard begins a new, untitled one that "Uložit"
    // saves under a name the user chooses.
    void NewTemplate();
    bool Untitled() const { return untitled_; }
    // The new-template wizard: its result (TDlgNovaSestava::kDraft, kByHand,
    // kCancel); a drafted template becomes the base entry, loaded and changed.
    int VytvorNovouPredlohu();
    void PreviewReport();
    void PrintReport();
    void StepRecord(int direction);
    void SetUnit(int unit);
    void SetZoomLevel(int level);
    void EditSelectedProperties();
    // "Nastavení prostředí...": the settings dialog; on "&Konec" the tree,
    // grid and rulers follow the new settings; the undo depth follows them always.
    void EditDesignerSettings();
    // "Nastavení předlohy...": the template settings dialog on `tab` (all
    // tabs when negative), with a group selected on "Skupiny" when
    // `group` >= 0. Its values are applied after "&Konec" and recorded as
    // "nastavení oddílů a skupin" unless `record` is false (the wizard's
    // paper format, before anything is drafted).
    void EditTemplateSettings(int tab, int group = -1, bool record = true);
    TSestDlg& TemplateSettingsDialog() { return *sestDlg_; }
    // The element settings of the focused element (all four modes).
    void EditElementSettings(TSesPrvek* element);
    // "Písmo...": the font of the focused element, or of every marked text element.
    void EditElementFont();
    // "Přidat / Upravit / Zrušit uživatelskou funkci".
    void AddUserFunction();
    void EditUserFunction();
    void DeleteUserFunction();

    // ---- TTemplateSettingsHost ----------------------------------------------------------
    void AddGroup(const QString& expression, bool headerVisible, int headerHeight,
                  bool footerVisible, int footerHeight, bool newPage) override;
    void DeleteLastGroup() override;
    void MoveGroupUp(int position) override;
    bool FollowByName() const override { return settings_.sledPodle; }
    // Applies `change` to the focused element, or to every marked element
    // `concerns` accepts, then records `step` (0 records nothing).
    void ApplyToSelection(const std::function<bool(const TLumexReportElement&)>& concerns,
                          const std::function<void(TLumexReportElement&)>& change, int step);
    // The sample values of fields, variables and functions of the current record.
    void RefreshSampleValues();
    // The element tree after a structural change (when it is shown).
    void RefreshTree();
    void SetTreeShown(bool shown);

    // ---- TDesignerOperations -------------------------------------------------------------
    int ActiveTool() const override;
    void SelectTool() override;
    void FocusElement(TSesPrvek* element) override;
    void MarkElement(TSesPrvek* element) override;
    void UnmarkElement(TSesPrvek* element) override;
    TSesPrvek* FocusedElement() const override { return focused_; }
    int MarkedCount() const override { return selectedCount_; }
    void ClearSelection() override;
    void InsertAt(int bandCode, int x, int y) override;
    void NextChoice() override;
    void MoveMarked(TSesPrvek* dragged, int dx, int dy) override;
    void ShowPosition(int x, int y) override;
    void ShowSize(int w, int h) override;
    void ShowMouse(int x, int y) override;
    void MouseOverBand(int code) override;
    void RecordStep(int step) override;
    void BandHeightChanged(int code) override;
    void BandDoubleClick(int code) override;
    void ElementDoubleClick(TSesPrvek* element) override;
    bool MoveOutsideAllowed() const override { return settings_.posunMimo; }

    // The text of the coordinates panel.
    QString CoordinatesText() const;
    QString MouseBandText() const;

    // Called when the detail window opened from this one saves: the whole
    // master template is saved.
    bool SaveFromDetail();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // seste.cpp: the window
    void BuildActions();
    void BuildToolTabs(QWidget* host);
    void BuildLayout();
    // A menu bar carrying every command of the tool bars and tool tabs.
    QMenuBar* BuildMenuBar();
    void SetShortcuts();
    QAction* MakeAction(const QString& name, const QString& text, const std::function<void()>& slot,
                        const QString& hint = QString());
    void UpdateUndoActions();
    void UpdateToolActions();
    void UpdateChooser();
    void UpdateRecordButtons(int stepResult);
    // seste_state.cpp
    void ApplyRasterSettings();
    void ApplyGridToBands();
    void ApplyZoom();
    void UpdateRulers();
    void ReloadCurrent();
    // Writes the surface into the current entry and loads it again, so that
    // the report's lines and layout are both that entry; the view stays.
    void SyncReportWithSurface();
    void FinishSave(int result);
    void ClearForNewDetailTemplate();
    bool AskSaveOnClose();
    // seste_selection.cpp
    TSesPrvek* CreateElement(TOddil* band, const QString& record, int dx, int dy);
    void RemoveDesignElement(TSesPrvek* element);
    TInsertChoice CurrentChoice() const;
    TCalcType SampleVariable(int n) const;
    // seste_edit.cpp
    void PasteAt(TOddil* band, int x, int y);
    TBandLimits LimitsOf(TOddil* band) const;
    void OpenDetail(TSesPrvek* element);
    // seste_dialogs.cpp
    TTemplateSettingsValues TemplateSettings() const;
    void ApplyTemplateSettings(const TTemplateSettingsValues& values);
    // Builds the bands again from the report (after a group change).
    void RebuildBands();
    // Records a step and loads it again, so that lists and tooltips follow.
    void RecordAndReload(int step);
    TElementDialogContext ElementContext() const;

    TSestavaTyp* report_ = nullptr;
    TSestava* component_ = nullptr;  // the top-level report component (null for a detail)
    bool isDetail_ = false;
    TFormSestE* masterDesigner_ = nullptr;

    TDesignerSettings settings_;
    TListVariant history_;
    bool modified_ = false;
    int tool_ = tcSelect;
    bool pasteMode_ = false;
    TSesPrvek* focused_ = nullptr;
    int selectedCount_ = 0;
    int unit_ = 0;
    int rasterX_ = 8;
    int rasterY_ = 8;
    double stepX_ = 8;
    double stepY_ = 8;
    bool showGrid_ = true;
    bool snap_ = true;
    int zoomLevel_ = kDefaultZoomLevel;
    int chooserIndex_ = 0;
    int groupChoice_ = 0;
    int functionIndex_ = 0;
    int detailIndex_ = 0;
    TDesignerClipboard lastCopy_;
    bool hasLastCopy_ = false;
    int mouseBand_ = -1;
    int mouseX_ = -1;
    int mouseY_ = -1;
    bool previewing_ = false;
    bool closing_ = false;
    // A template begun with "Nová předloha..." that has no file yet.
    bool untitled_ = false;

    std::map<QString, QAction*> actions_;
    TPapir* paper_ = nullptr;
    TScrollBoxLumex* scrollBox_ = nullptr;
    TPravitko* rulers_[4] = {nullptr, nullptr, nullptr, nullptr};
    TDesignProperties* properties_ = nullptr;
    TElementTree* tree_ = nullptr;
    QTabWidget* toolTabs_ = nullptr;
    QComboBox* chooser_ = nullptr;
    QComboBox* groupCombo_ = nullptr;
    QListWidget* functionList_ = nullptr;
    QListWidget* detailList_ = nullptr;
    QComboBox* unitsCombo_ = nullptr;
    QComboBox* zoomCombo_ = nullptr;
    QLabel* bandLabel_ = nullptr;
    QLabel* positionLabel_ = nullptr;
    std::unique_ptr<TSestDlg> sestDlg_;
};

// Replaces the report's layout and lines by those of `lines`.
void ApplyTemplateLines(TSestavaTyp& report, const TPredloha& lines);
