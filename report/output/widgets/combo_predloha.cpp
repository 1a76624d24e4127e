#include "report/output/widgets/combo_predloha.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>

#include "platform/folders.h"
#include "report/engine/predloha.h"
#include "report/engine/sestavy.h"
#include "report/model/template_fields.h"

namespace {

constexpr int kPathRole = Qt::UserRole;

QString WithTrailingSeparator(const QString& dir) {
    if (dir.isEmpty() || dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\'))) {
        return dir;
    }
    return dir + QLatin1Char('/');
}

// The mask with its extension replaced by ".pts" (added when it has none).
QString TemplateMask(const QString& mask) {
    const qsizetype nameStart =
        qMax(mask.lastIndexOf(QLatin1Char('/')), mask.lastIndexOf(QLatin1Char('\\'))) + 1;
    const qsizetype dot = mask.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot >= nameStart ? mask.left(dot) : mask;
    return stem + QLatin1String(TSestava::kTemplateExtension);
}

// The folder part of a mask, with its separator ("" when it has none).
QString FolderPart(const QString& mask) {
    const qsizetype cut =
        qMax(mask.lastIndexOf(QLatin1Char('/')), mask.lastIndexOf(QLatin1Char('\\'))) + 1;
    return mask.left(cut);
}

}  // namespace

TComboBoxPredloha::TComboBoxPredloha(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(24);
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) {
            SelectionChanged();
        }
    });
}

void TComboBoxPredloha::SetReportDir(const QString& dir) {
    reportDir_ = WithTrailingSeparator(dir);
}

void TComboBoxPredloha::SetReportMask(const QString& mask) {
    reportMask_ = OnNactiSeznam ? mask : TemplateMask(mask);
}

QString TComboBoxPredloha::TemplateDescription(const QString& fileName) {
    TPredloha lines;
    if (!lines.LoadFromFile(fileName)) {
        return QString();
    }
    for (const QString& line : lines.Lines()) {
        if (!line.startsWith(QLatin1Char('I'))) {
            continue;
        }
        TemplateFieldReader fields(line);
        fields.SkipField();
        if (fields.NextOptionalInt() == 0) {
            return fields.NextField();
        }
    }
    return QString();
}

void TComboBoxPredloha::AddItem(const QString& path, const QString& caption) {
    const QString shown = caption.isEmpty() ? QFileInfo(path).fileName() : caption;
    addItem(shown, path);
}

TSouborPredlohy TComboBoxPredloha::ItemFile(int index) const {
    return TSouborPredlohy{itemData(index, kPathRole).toString()};
}

QString TComboBoxPredloha::SelectedPath() const {
    return currentIndex() < 0 ? QString() : ItemFile(currentIndex()).Path;
}

// Every file matching the mask, in name order. The path keeps the file
// name's own case: file names are case-sensitive here, and the report opens
// the template by this path.
void TComboBoxPredloha::ListFiles() {
    const QString base = ReportDirIgnore ? platform::ProgramFolder() : reportDir_;
    const QString pattern = base + reportMask_;
    const QString folder = FolderPart(pattern);
    const QString nameMask = pattern.mid(folder.size());
    if (nameMask.isEmpty()) {
        return;
    }
    QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QFileInfoList files =
        dir.entryInfoList({nameMask}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    const QString maskFolder = FolderPart(reportMask_);
    for (const QFileInfo& file : files) {
        const QString path = (maskFolder + file.fileName()).left(kMaxPathLength);
        const QString caption = TemplateDescription(file.filePath()).left(kMaxPathLength);
        AddItem(path, caption.isEmpty() ? file.fileName().left(kMaxPathLength) : caption);
    }
}

void TComboBoxPredloha::ReadList() {
    clear();
    if (OnNactiSeznam) {
        OnNactiSeznam(*this);
    } else {
        ListFiles();
    }
}

void TComboBoxPredloha::Fill(const QString& path) {
    filling_ = true;
    ReadList();
    int found = -1;
    for (int i = 0; i < count() && !path.isEmpty(); ++i) {
        if (ItemFile(i).Path.compare(path, Qt::CaseInsensitive) == 0) {
            found = i;
            break;
        }
    }
    setCurrentIndex(found);
    filling_ = false;
    SelectionChanged();
}

void TComboBoxPredloha::Refresh() {
    const QString caption = currentIndex() < 0 ? QString() : currentText();
    filling_ = true;
    ReadList();
    setCurrentIndex(caption.isEmpty() ? -1 : findText(caption, Qt::MatchExactly));
    filling_ = false;
    SelectionChanged();
}

// The report is told the new template name; whatever it objects is ignored,
// the list stays usable.
void TComboBoxPredloha::SelectionChanged() {
    const QString path = SelectedPath();
    if (Report != nullptr && !path.isEmpty()) {
        try {
            Report->SetReportName(path);
        } catch (...) {
        }
    }
    emit SelectedPathChanged(path);
}
