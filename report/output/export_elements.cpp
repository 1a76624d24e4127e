#include "report/output/export_elements.h"

#include "platform/atomic_file.h"

#include "report/model/lumex_element.h"
#include "report/output/template_font.h"

bool IsTextElement(const TVystPrvek& element) {
    const int kind = element.Kind();
    return TLumexReportElement::IsTextKind(kind) && !(kind == ekField && element.HasPicture);
}

QVector<const TRadek*> ShownLines(const TVystPrvek& element) {
    QVector<const TRadek*> lines;
    if (!element.Lines) {
        return lines;
    }
    const int first = std::max(0, element.FirstLine);
    const int last = std::min(element.LastLine, element.Lines->Count() - 1);
    for (int i = first; i <= last; ++i) {
        lines.append(&(*element.Lines)[i]);
    }
    return lines;
}

platform::Font ElementFont(const TVystPrvek& element) {
    platform::Font font = element.Element->font.CanvasFont();
    SubstituteDeviceFont(font);
    return font;
}

bool WriteFileAtomically(const QString& fileName, const std::function<bool(QIODevice&)>& write) {
    platform::AtomicFile file(fileName);
    if (!file.Open()) {
        return false;
    }
    if (!write(file)) {
        file.Discard();
        return false;
    }
    return file.Commit();
}
