// Character-cell text of the pages, the way a text-only printer receives it,
// written into a file in the export code page.
#include <QBuffer>

#include "report/model/lumex_element.h"
#include "report/output/char_field.h"
#include "report/output/code_pages.h"
#include "report/output/export_elements.h"
#include "report/output/sestexport.h"
#include "report/output/sestprn.h"

namespace {

// Where the first letter of `line` stands, in hundredths of an inch from the
// element's left edge (the drawing puts layout position x at (x + 72) / 72).
int FirstLetterLeft(const TRadek& line) {
    for (const TFragment& fragment : line.Fragments) {
        for (int i = 0; i < fragment.Count(); ++i) {
            if (!fragment.Text[i].isSpace()) {
                return (line.Offset + fragment.X[i] + 72) / 72;
            }
        }
    }
    return 0;
}

bool IsLabel(const TVystPrvek& element) {
    return element.Kind() == ekText || element.Kind() == ekFieldLabel;
}

}  // namespace

void PlaceInCharField(TZnakovePole& field, const TVystPrvek& element, int shiftX, int shiftY) {
    if (!IsTextElement(element)) {
        return;
    }
    const platform::Font font = ElementFont(element);
    const int style = (font.bold ? 1 : 0) | (font.italic ? 2 : 0) | (font.underline ? 4 : 0);
    const QRect rect(element.Left + shiftX, element.Top + shiftY, element.Width, element.Height);
    const QVector<const TRadek*> lines = ShownLines(element);
    for (int i = 0; i < lines.size(); ++i) {
        field.Place(TZnakovyVstup{rect, LineText(*lines[i]), element.Alignment(), font.size, style,
                                  i, rect.left() + FirstLetterLeft(*lines[i]), IsLabel(element)});
    }
}

bool SaveTextStream(const TSestVystup& output, QIODevice& stream, int firstPage, int lastPage,
                    int copies, const bool* stopFlag, QString* lost) {
    if (output.FromSpool) {
        return true;  // spool pages are pictures: there is no text to write
    }
    const int first = std::max(firstPage, 1);
    const int last = std::min(lastPage, output.PageCount());
    TZnakovePole field;
    field.Setup(PaperSetup().OrientedHeight(), output.TextLineSpacing);
    for (int copy = 0; copy < copies; ++copy) {
        for (int page = first; page <= last; ++page) {
            if (stopFlag && *stopFlag) {
                return false;
            }
            const TStranaPrvku& elements = output.ReadPage(page - 1);
            for (int i = 0; i < elements.Count(); ++i) {
                PlaceInCharField(field, elements.Item(i));
            }
            QBuffer rows;
            rows.open(QIODevice::WriteOnly);
            field.WriteRows(rows, output.ExportLanguage, page == last);
            field.Clear();
            if (lost != nullptr) {
                AddLostCharacters(*lost, field.LostCharacters());
            }
            if (stream.write(rows.data()) != rows.data().size()) {
                return false;
            }
        }
    }
    return true;
}

bool SaveText(const TSestVystup& output, const QString& fileName, QString* lost) {
    return WriteFileAtomically(fileName, [&](QIODevice& device) {
        return SaveTextStream(output, device, 1, output.PageCount(), 1, nullptr, lost);
    });
}
