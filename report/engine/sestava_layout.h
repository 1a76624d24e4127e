#pragma once
// The layout of a report as a template describes it: its sections with their
// elements, its groups, its user functions, its attached detail reports and
// its settings (description, version, paper, print columns, raster and
// character mode, background). TSestavaLayout reads a template into this
// model (ApplyTemplate) and writes the model back as a template
// (WriteTemplate). The report engine derives from it and answers the look-ups
// the reader needs (data fields, installed fonts, pictures, the paper setup).

#include <QRect>
#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

#include "report/engine/predloha.h"
#include "report/engine/sest_fn.h"
#include "report/model/lumex_element.h"

// Section type codes. Group g (the index field of its group record) has the
// header 5 + 2g and the footer 6 + 2g.
enum TSectionType : int {
    stReportHeader = 0,  // "Začátek sestavy", code Z
    stPageHeader = 1,    // "Hlava stránky", code H
    stBody = 2,          // "Tělo sestavy", code T
    stReportFooter = 3,  // "Konec sestavy", code K
    stPageFooter = 4,    // "Pata stránky", code P
    stGroupHeader = 5,   // + 2g, "Začátek skupiny"; code S<position>
    stGroupFooter = 6,   // + 2g, "Konec skupiny"; code U<position>
};
constexpr int kFixedSectionCount = 5;
inline int GroupHeaderType(int groupIndex) {
    return stGroupHeader + 2 * groupIndex;
}
inline int GroupFooterType(int groupIndex) {
    return stGroupFooter + 2 * groupIndex;
}
// The record code of a fixed section ("Z", "H", "T", "K", "P").
QString FixedSectionCode(int type);
// The section's name as the designer shows it ("Tělo sestavy", "Začátek skupiny 1").
QString SectionCaption(int type);

// Section flag bits of the fixed sections (I,3 records).
enum TSectionFlag : int {
    sfPageBreakAfterReportHeader = 1,   // Z "Odstránkovat po začátku sestavy"
    sfNoPageHeaderOnFirstPage = 1,      // H "Na první stránce netisknout hlavu"
    sfNoPageHeaderOnLastPage = 2,       // H "Na poslední stránce netisknout hlavu"
    sfBodyOnNewPage = 1,                // T "Nové tělo na novou stránku"
    sfPageBreakBeforeReportFooter = 1,  // K "Odstránkovat před koncem sestavy"
    sfReportFooterAtPageFooter = 2,     // K "Konec sestavy zarovnat k patě"
    sfNoPageFooterOnLastPage = 1,       // P "Na poslední stránce netisknout patu"
    sfPageFooterOnlyOnFirstPage = 2,    // P "Patu tisknout pouze na první stránce"
};

// One section of the report and its elements, in drawing order.
class TOddilSestavy {
  public:
    explicit TOddilSestavy(int type) : type(type) {}
    TOddilSestavy(const TOddilSestavy&) = delete;
    TOddilSestavy& operator=(const TOddilSestavy&) = delete;

    int type;        // TSectionType code
    int height = 0;  // hundredths of an inch
    bool visible = false;
    int flags = 0;  // TSectionFlag bits (fixed sections)

    int Count() const { return static_cast<int>(elements_.size()); }
    bool IsEmpty() const { return elements_.empty(); }
    TLumexReportElement& operator[](int index) { return *elements_[index]; }
    const TLumexReportElement& operator[](int index) const { return *elements_[index]; }

    // Takes the element over and makes this its section.
    TLumexReportElement& Add(std::unique_ptr<TLumexReportElement> element);
    TLumexReportElement& Insert(int index, std::unique_ptr<TLumexReportElement> element);
    // Hands an element out of the section (its section becomes null).
    std::unique_ptr<TLumexReportElement> Take(int index);
    int IndexOf(const TLumexReportElement* element) const;
    void Move(int from, int to);
    // Frees every element.
    void Clear() { elements_.clear(); }

    bool IsGroupSection() const { return type >= stGroupHeader; }
    bool IsGroupHeader() const { return IsGroupSection() && (type - stGroupHeader) % 2 == 0; }

  private:
    std::vector<std::unique_ptr<TLumexReportElement>> elements_;
};

// The sections of a report: Z, H, T, K, P (always present), then the header
// and the footer of each group in group order.
class TListOddilu {
  public:
    TListOddilu();
    TListOddilu(const TListOddilu&) = delete;
    TListOddilu& operator=(const TListOddilu&) = delete;

    int Count() const { return static_cast<int>(sections_.size()); }
    TOddilSestavy& operator[](int index) { return *sections_[index]; }
    const TOddilSestavy& operator[](int index) const { return *sections_[index]; }
    // One of the five fixed sections by its type code 0..4.
    TOddilSestavy& Fixed(int type) { return *sections_[type]; }
    const TOddilSestavy& Fixed(int type) const { return *sections_[type]; }
    // The first section with that type code, or null.
    TOddilSestavy* FindType(int type) const;

    TOddilSestavy& Append(int type);
    // Removes (and frees) a section that is not one of the fixed five.
    void Remove(const TOddilSestavy* section);
    // Frees the elements of every section.
    void ClearElements();

  private:
    std::vector<std::unique_ptr<TOddilSestavy>> sections_;
};

// One group: a key expression whose change starts a new group, with its
// header and footer sections and its run counters.
class TPolSkup {
  public:
    int index = 0;       // index field of the group record (the sections' type codes follow it)
    QString expression;  // group key expression, normalised on reading
    bool newPage = false;
    TOddilSestavy* header = nullptr;  // owned by TListOddilu
    TOddilSestavy* footer = nullptr;

    // --- Run state ---
    QString lastKey;
    bool changed = false;
    int rowInGroup = 1;
    int groupNumber = 1;

    // "Skupina" followed by a blank and index + 1.
    QString Name() const;
};

// The groups in the order of their group records.
class TListSkupin {
  public:
    TListSkupin() = default;
    TListSkupin(const TListSkupin&) = delete;
    TListSkupin& operator=(const TListSkupin&) = delete;

    int Count() const { return static_cast<int>(groups_.size()); }
    TPolSkup& operator[](int position) { return *groups_[position]; }
    const TPolSkup& operator[](int position) const { return *groups_[position]; }
    TPolSkup& Append();
    std::unique_ptr<TPolSkup> Take(int position);
    void Clear() { groups_.clear(); }
    // Position of the group whose header or footer this is, or -1.
    int PositionOf(const TOddilSestavy* section) const;

  private:
    std::vector<std::unique_ptr<TPolSkup>> groups_;
};

class TSestavaLayout;

// Detail reports attached to a report, in attachment order; their position
// is the d of D<d> lines and of detail placements. The list does not own them.
class TListDetailu {
  public:
    int Count() const { return static_cast<int>(details_.size()); }
    TSestavaLayout* operator[](int index) const { return details_[index]; }
    void Add(TSestavaLayout* detail);
    void Remove(TSestavaLayout* detail);
    int IndexOf(const TSestavaLayout* detail) const;
    void Clear() { details_.clear(); }

  private:
    std::vector<TSestavaLayout*> details_;
};

// Template version (I,1 record): major, build, minor.
struct TTemplateVersion {
    int major = 10;
    int build = 52;
    int minor = 6;
    // Templates before 1.3 had no variable "Celkový počet stran".
    bool BeforePageCountVariable() const { return major <= 1 && minor < 3; }
    bool operator==(const TTemplateVersion&) const = default;
};

// Paper, orientation and margins (I,2 record), hundredths of an inch.
struct TPageSettings {
    int orientation = 0;                // 0 portrait "na výšku", 1 landscape "na šířku"
    bool orientationMayChange = false;  // "Povolit změnu orientace"
    int paperWidth = 826;               // in portrait
    int paperHeight = 1169;
    int marginLeft = 50;
    int marginRight = 50;
    int marginTop = 70;
    int marginBottom = 70;

    bool Landscape() const { return orientation == 1; }
    int OrientedWidth() const { return Landscape() ? paperHeight : paperWidth; }
    int OrientedHeight() const { return Landscape() ? paperWidth : paperHeight; }
    bool operator==(const TPageSettings&) const = default;
};

// Designer measurement units (I,5 record); the engine keeps the code only.
enum TDesignUnit : int {
    duHundredthInch = 0,    // "0,01 inch"
    duTenthMillimetre = 1,  // "0,1 mm"
    duTenthPica = 2,        // "0,1 pica"
    duPoint = 3,            // "1 point"
    duTenTwips = 4,         // "10 twips"
};

// Raster and character mode (I,6 record).
struct TRasterSettings {
    int rasterType = 0;  // 1 "Znakový" (character mode for text-only printers), else graphic
    int rasterX = 8;     // designer grid step; in character mode the cell width truncated
    int rasterY = 8;
    int lineSpacing = 0;        // 0 six lines per inch, 1 four, 2 three
    int pitch = 1;              // 0 "10 znaků/palec", 1 "12 znaků/palec", 2 "17 znaků/palec"
    bool showRaster = false;    // designer only
    bool snapToRaster = false;  // designer only
    // Which values the record held; the designer takes missing ones from
    // its own settings.
    bool rasterXGiven = false;
    bool rasterYGiven = false;
    bool showRasterGiven = false;
    bool snapToRasterGiven = false;
    // Character cell in hundredths of an inch; 0 in graphic mode.
    float cellWidth = 0.0F;
    float cellHeight = 0.0F;

    bool CharacterMode() const { return rasterType == 1; }
};

// Background picture (I,7 record).
struct TBackgroundSettings {
    bool ownBackground = false;    // the template's file instead of the report's Background
    bool printBackground = false;  // "Tisknout pozadí"
    bool placed = false;           // "Celý papír" unchecked; kept, not used
    int left = 0;                  // on the paper, hundredths of an inch
    int top = 0;
    int width = 0;   // 0: the paper width
    int height = 0;  // 0: the paper height
    QString fileName;
    // left, top, left + width, top + height with a zero width or height
    // replaced by the paper's, as the paper was when the record was read.
    QRect rect;
};

// Everything the I records carry besides the groups.
struct TReportSettings {
    QString popis = QStringLiteral("Tisková úloha Lumex");  // description (I,0)
    TTemplateVersion version;                               // I,1
    TPageSettings page;              // I,2 as last read (the process-wide setup is what prints)
    int printColumns = 1;            // "Počet sloupců tisku"
    int columnGap = 0;               // "Mezera mezi sloupci"
    int unit = duHundredthInch;      // I,5
    TRasterSettings raster;          // I,6
    TBackgroundSettings background;  // I,7
    // I,8: the ORDER BY clause (column names of the report's source) its
    // rows must come in, such as a list grouped by the sire; empty when the
    // template leaves the order to the caller.
    QString sourceOrder;
};

class TSestavaLayout : public TElementHost {
  public:
    TSestavaLayout();
    ~TSestavaLayout() override;
    TSestavaLayout(const TSestavaLayout&) = delete;
    TSestavaLayout& operator=(const TSestavaLayout&) = delete;

    // --- The model ---
    TListOddilu& Oddily() { return oddily_; }
    const TListOddilu& Oddily() const { return oddily_; }
    TListSkupin& Skupiny() { return skupiny_; }
    const TListSkupin& Skupiny() const { return skupiny_; }
    TListFunkci& Funkce() { return funkce_; }
    const TListFunkci& Funkce() const { return funkce_; }
    TListDetailu& Detaily() { return detaily_; }
    const TListDetailu& Detaily() const { return detaily_; }
    TReportSettings& Settings() { return settings_; }
    const TReportSettings& Settings() const { return settings_; }

    const QString& Popis() const { return settings_.popis; }
    void SetPopis(const QString& popis) { settings_.popis = popis; }
    const TTemplateVersion& TemplateVersion() const { return settings_.version; }
    bool SectionFlag(int fixedType, int flag) const;

    // --- Templates ---
    // The template lines last set.
    const TPredloha& Predloha() const { return predloha_; }
    // Clears the current layout when the old template is not empty, copies
    // the lines and applies them.
    virtual void SetPredloha(TPredloha predloha);
    // Adds the layout described by the lines: I records first (in file
    // order), then the user functions (replacing the old ones), the elements
    // section by section, and finally the D lines as the templates of the
    // attached details. Reading never fails; lines it cannot use are skipped.
    void ApplyTemplate(const TPredloha& predloha);
    // Frees every element, removes every group with its two sections and
    // empties the line list.
    void ClearTemplate(TPredloha& predloha);
    // The model as template lines in the canonical order: I records, F
    // records, elements of Z, H, T, K, P, S0, U0, S1, U1, ..., then every
    // attached detail's current template as D<d> lines.
    TPredloha WriteTemplate() const;

    // Appends a group with its header and footer sections (header first).
    TPolSkup& AddGroup(int index, const QString& expression, bool headerVisible, int headerHeight,
                       bool footerVisible, int footerHeight, bool newPage);
    // Removes the group at a position together with its two sections.
    void DeleteGroup(int position);
    // The section a record code names (Z, H, T, K, P, S<g>, U<g> with g a
    // group position), or null.
    TOddilSestavy* SectionForCode(QStringView code) const;
    // The record code of a section of this report.
    QString CodeOfSection(const TOddilSestavy& section) const;

    // --- Look-ups the reader uses; the engine answers them ---
    // A detail report skips page headers, page footers and the paper.
    virtual bool IsDetail() const { return false; }
    bool NumbersVariablesBeforePageCount() const override {
        return TemplateVersion().BeforePageCountVariable();
    }
    int FieldCount() const override { return 0; }
    // 0-based position of a data field by name (case-insensitive), or -1.
    int FindField(const QString& name) const override;
    int FindFunction(const QString& name) const override { return funkce_.FindFunction(name); }
    // Whether a font of this name is in the font list the designer offers.
    bool IsInstalledFont(const QString& name) const override;
    // Called for a picture element once it has been read.
    void LoadElementPicture(TLumexReportElement& element) override;
    // Called with the paper of an I,2 record (not for a detail): hands it to
    // the process-wide paper setup, which every report prints on.
    virtual void ApplyPageSetup(const TPageSettings& page);
    // The paper the writer stores: the process-wide paper setup, which the
    // page-setup dialog edits.
    virtual TPageSettings CurrentPageSetup() const;

  private:
    void ApplySettingsRecord(QStringView line);
    void ReadDescription(TemplateFieldReader& reader);
    void ReadVersion(TemplateFieldReader& reader);
    void ReadPage(TemplateFieldReader& reader);
    void ReadSection(TemplateFieldReader& reader);
    void ReadGroup(TemplateFieldReader& reader);
    void ReadRaster(TemplateFieldReader& reader);
    void ReadBackground(TemplateFieldReader& reader);
    void ReadFunction(QStringView line);
    void ApplyElementRecords(const TPredloha& predloha);
    void ApplyDetailLines(const TPredloha& predloha);

    void WriteSettings(QStringList& lines) const;
    void WriteFunctions(QStringList& lines) const;
    void WriteElements(QStringList& lines) const;
    void WriteDetails(QStringList& lines) const;

    TListOddilu oddily_;
    TListSkupin skupiny_;
    TListFunkci funkce_;
    TListDetailu detaily_;
    TReportSettings settings_;
    TPredloha predloha_;
    bool applying_ = false;  // ApplyTemplate is running
};

// A group expression as the reader keeps it: a plain name gets "#" in front,
// a 0-based field number n becomes "#" followed by n + 1, anything else stays.
QString NormaliseGroupExpression(const QString& expression);

// The character cell of character mode for a pitch and a line-spacing code,
// hundredths of an inch (0 for codes without a cell).
float CharacterCellWidth(int pitch);
float CharacterCellHeight(int lineSpacing);
