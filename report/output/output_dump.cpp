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
    return QStringLiteral("%1 %2 %3 %4 %5 %6")
        .arg(element.Kind())
        .arg(element.Left)
        .arg(element.Top)
        .arg(element.Width)
        .arg(element.Height)
        .arg(ShownText(element));
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
