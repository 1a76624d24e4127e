#pragma once
// TSestDlg ("Nastavení parametrů sestavy"): everything about a template that
// is not an element: its description, the paper and page setup, print
// columns, the background picture, the raster and the measurement unit, the
// five fixed sections with their page-break flags, and the groups with their
// header and footer sections. Lengths are held in hundredths of an inch and
// shown in the selected unit. Group changes go to the designer at once; all
// other values are taken by the designer after "&Konec".

#include <QDialog>

#include "report/engine/sestava_layout.h"
#include "report/output/paper_formats.h"
#include "report/output/sestprn.h"
#include "report/output/sestvyst.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class TPaperPreview;
class TSestavaTyp;

// What the dialog edits besides the groups, lengths in hundredths of an inch.
struct TTemplateSettingsValues {
    // "Sestava"
    QString reportName;
    QString reportDir;
    int copies = 1;
    int startPage = 1;
    int endPage = kToLastPage;
    int maxRecords = 0;
    QString popis;
    // "Papír"
    TPaperSetup paper;
    int printColumns = 1;
    int columnGap = 0;
    // "Rastr"
    int rasterType = 0;  // 1 "Znakový"
    int pitch = 1;
    bool showGrid = true;
    bool snap = true;
    int rasterX = 8;  // whole numbers in the unit
    int rasterY = 8;
    TBackgroundSettings background;
    int unit = 0;
    // "Oddíly": Z, H, T, K, P
    bool visible[kFixedSectionCount] = {};
    int height[kFixedSectionCount] = {};
    int flags[kFixedSectionCount] = {};
    bool isDetail = false;
};

// What the dialog needs of the designer for the groups and the files.
class TTemplateSettingsHost {
  public:
    virtual ~TTemplateSettingsHost() = default;
    virtual TSestavaTyp& Report() = 0;
    // Appends a group with its two section bands.
    virtual void AddGroup(const QString& expression, bool headerVisible, int headerHeight,
                          bool footerVisible, int footerHeight, bool newPage) = 0;
    // Deletes the last group with its sections and their elements.
    virtual void DeleteLastGroup() = 0;
    // Swaps the group at `position` with the one before it.
    virtual void MoveGroupUp(int position) = 0;
    // The report library's settings file (the user paper formats).
    virtual QString IniPath() const = 0;
    // "Sledovat podle názvu": the expression editor's initial "Položky podle názvu".
    virtual bool FollowByName() const = 0;
};

class TSestDlg : public QDialog {
    Q_OBJECT
  public:
    enum TTab { tbSestava, tbPapir, tbRastr, tbOddily, tbSkupiny, tbCount };

    explicit TSestDlg(TTemplateSettingsHost& host, QWidget* parent = nullptr);

    // Fills every value (in hundredths, then switched to the values' unit)
    // and sets the visible tabs: 0..4 shows that tab alone, a negative tab
    // all five on the tab last active.
    void Fill(const TTemplateSettingsValues& values, int tab);
    // The values as the dialog holds them now, in hundredths of an inch.
    TTemplateSettingsValues Values() const;
    // Makes a tab the active one (before an opening with all tabs).
    void SelectTab(int tab);
    // Selects a group on "Skupiny" (band double-click).
    void SelectGroup(int position);
    // Refills the group list from the designer's groups.
    void RefillGroups();
    QTabWidget* Tabs() const { return tabs_; }
    int ShownUnit() const { return shownUnit_; }
    // Whether a group was added, deleted, moved or edited since the last Fill.
    bool GroupsChanged() const { return groupsChanged_; }
    const TListFormatu& Formats() const { return formats_; }

    // Switches the shown lengths to unit u (step 2 of filling).
    void SwitchUnit(int u);
    // "&Konec": the margins question in graphic mode, the group expressions;
    // accepts when the values can be taken.
    void Finish();

    // Group actions of "Skupiny".
    void InsertGroup();
    void DeleteGroup();
    void MoveGroupUp();
    void EditGroupExpression();

    // Paper format actions of "Papír".
    void ChooseFormat(int index);
    void EditFormat();
    void AddFormat();
    void DropFormat();

  private:
    QWidget* BuildSestava();
    QWidget* BuildPapir();
    QWidget* BuildRastr();
    QWidget* BuildOddily();
    QWidget* BuildSkupiny();
    void FillFormats(int select);
    void PageChanged();
    void RefreshPreview();
    void RasterTypeChanged();
    void BackgroundChanged();
    void ReportFooterPageBreakChanged();
    void GroupSelected(int row);
    void GroupEdited();
    bool SaveFormats();
    int MarginValue(int i) const;
    bool CheckGroupExpressions();
    bool CheckMargins();
    void SetMarginValue(int i, int hundredths);

    TTemplateSettingsHost& host_;
    TListFormatu formats_;
    TTemplateSettingsValues values_;
    int shownUnit_ = -1;
    int chosenFormat_ = -1;
    int lastTab_ = tbPapir;
    bool allTabs_ = true;
    bool groupsChanged_ = false;
    bool filling_ = false;
    TPolSkup* editedGroup_ = nullptr;

    QTabWidget* tabs_;
    // "Sestava"
    QLineEdit* reportName_;
    QLineEdit* reportDir_;
    QLineEdit* copies_;
    QLineEdit* startPage_;
    QLineEdit* endPage_;
    QLineEdit* maxRecords_;
    QLineEdit* popis_;
    // "Papír"
    QComboBox* formatsBox_;
    QPushButton* editFormat_;
    QPushButton* addFormat_;
    QPushButton* dropFormat_;
    QRadioButton* portrait_;
    QRadioButton* landscape_;
    QCheckBox* allowOrientation_;
    QSpinBox* margins_[4] = {};  // left, right, top, bottom
    QSpinBox* columns_;
    QSpinBox* gap_;
    TPaperPreview* preview_;
    QLabel* infoSize_;
    QLabel* infoPrintable_;
    QLabel* infoUnit_;
    QLabel* infoCell_;
    // "Rastr"
    QCheckBox* defaultBackground_;
    QCheckBox* printBackground_;
    QComboBox* backgroundFile_;
    QCheckBox* wholePaper_;
    QSpinBox* placement_[4] = {};  // left, top, width, height
    QButtonGroup* rasterType_;
    QCheckBox* showGrid_;
    QCheckBox* snap_;
    QGroupBox* rasterSize_;
    QLineEdit* rasterX_;
    QLineEdit* rasterY_;
    QGroupBox* pitchBox_;
    QButtonGroup* pitch_;
    QComboBox* units_;
    // "Oddíly"
    QCheckBox* sectionVisible_[kFixedSectionCount] = {};
    QLineEdit* sectionHeight_[kFixedSectionCount] = {};
    QCheckBox* bodyOnNewPage_;
    QCheckBox* breakAfterHeader_;
    QCheckBox* breakBeforeFooter_;
    QCheckBox* noLastPageHeader_;
    QCheckBox* noFirstPageHeader_;
    QCheckBox* noLastPageFooter_;
    QCheckBox* footerAtPageFooter_;
    QCheckBox* footerOnlyFirstPage_;
    // "Skupiny"
    QListWidget* groups_;
    QPushButton* insertGroup_;
    QPushButton* deleteGroup_;
    QPushButton* upGroup_;
    QLineEdit* groupExpression_;
    QPushButton* groupExpressionButton_;
    QCheckBox* groupHeader_;
    QLineEdit* groupHeaderHeight_;
    QCheckBox* groupFooter_;
    QLineEdit* groupFooterHeight_;
    QCheckBox* groupNewPage_;
    QCheckBox* groupByName_;
};
