#include "report/output/output_dump.h"

#include "report/engine/lumex_element.h"
#include "report/output/sestvyst.h"

namespace {

QString ShownText(const TVystPrvek& element) {
    if (element.Kind() == ekBarcode) {
        return QStringLiteral("[barcode %1]").arg(element.GetText());
    }
    if (element.HasPicture) {
        return QStringLiteral("[picture]");
    }
    if (element.Element && element.Element->angle != 0) {
        return element.Text;
    }
    if (element.Lines && element.FirstLine >= 0 && element.FirstLine == element.LastLine &&
        element.FirstLine < element.Lines->Count()) {
        return LineText((*element.Lines)[element.FirstLine]);
    }
    QStringList lines;
    if (element.Lines) {
        for (int i = element.FirstLine; i <= element.LastLine && i < element.Lines->Count(); ++i) {
            lines << LineText((*element.Lines)[i]);
        }
    }
    return lines.join(QStringLiteral("\\n"));
}

}  // namespace

QString DumpElement(const TVystPrvek& element) {
    // Built piece by piece: a long output dumps a million of these lines.
    QString line;
    line.reserve(48);
    for (const int number :
         {element.Kind(), element.Left, element.Top, element.Width, element.Height}) {
        line += QString::number(number);
        line += QLatin1Char(' ');
    }
    line += ShownText(element);
    return line;
}

QStringList DumpOutput(const TSestVystup& output) {
    QStringList lines;
    DumpOutput(output, [&](const QString& line) { lines << line; });
    return lines;
}

void DumpOutput(const TSestVystup& output, const std::function<void(const QString&)>& line) {
    for (int i = 0; i < output.PageCount(); ++i) {
        line(QStringLiteral("page %1").arg(i + 1));
        if (output.FromSpool) {
            continue;
        }
        const TStranaPrvku& page = output.ReadPage(i);
        for (int k = 0; k < page.Count(); ++k) {
            line(DumpElement(page.Item(k)));
        }
    }
}
