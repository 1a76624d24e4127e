#pragma once
// A drop-down list (not editable) of report templates: every template file of
// a folder matching a mask, shown by the description the template carries,
// or filled by the application's own handler. Choosing an item hands its
// path to the report as the template name.

#include <QComboBox>
#include <functional>

class TSestava;

// The file behind one item of the list.
struct TSouborPredlohy {
    QString Path;
};

class TComboBoxPredloha : public QComboBox {
    Q_OBJECT
  public:
    static constexpr int kMaxPathLength = 128;

    explicit TComboBoxPredloha(QWidget* parent = nullptr);

    // The report whose template name follows the selection (not owned; may be null).
    TSestava* Report = nullptr;
    // Search the program's folder instead of ReportDir.
    bool ReportDirIgnore = true;
    // Fills the list instead of the file search (through AddItem).
    std::function<void(TComboBoxPredloha&)> OnNactiSeznam;

    const QString& ReportDir() const { return reportDir_; }
    // Stored with a trailing path separator.
    void SetReportDir(const QString& dir);
    const QString& ReportMask() const { return reportMask_; }
    // Stored with its extension changed to ".pts" unless OnNactiSeznam is set.
    void SetReportMask(const QString& mask);

    // Re-reads the list, selects the item whose path equals `path` ignoring
    // case and hands the selected path to Report.
    void Fill(const QString& path);
    // The selected item's path; empty when nothing is selected.
    QString SelectedPath() const;
    // One item; an empty caption becomes the file name of the path.
    void AddItem(const QString& path, const QString& caption);
    // Re-reads the list and keeps the selection by its caption.
    void Refresh();

    TSouborPredlohy ItemFile(int index) const;

    // The description of a template file (the text of its I,0 record); empty
    // when the file has none or cannot be read.
    static QString TemplateDescription(const QString& fileName);

  signals:
    void SelectedPathChanged(const QString& path);

  private:
    void ReadList();
    void ListFiles();
    void SelectionChanged();

    QString reportDir_;
    QString reportMask_;
    bool filling_ = false;
};
