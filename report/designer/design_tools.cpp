#include "report/designer/design_tools.h"

#include <algorithm>

#include "report/engine/sestavyt.h"
#include "report/model/lumex_element.h"

const std::vector<TDesignTool>& DesignTools() {
    static const std::vector<TDesignTool> tools = {
        {QStringLiteral("ActionNoSelect"), QStringLiteral("Výběr prvku"), tcSelect, QString()},
        {QStringLiteral("ActionDb"), QStringLiteral("Prvek databáze"), tcDb,
         QStringLiteral("CURSOR_DB")},
        {QStringLiteral("ActionLb"), QStringLiteral("Popis prvku databáze"), tcLb,
         QStringLiteral("CURSOR_LB")},
        {QStringLiteral("ActionPar"), QStringLiteral("Parametr sestavy"), tcPar,
         QStringLiteral("CURSOR_PAR")},
        {QStringLiteral("ActionFn"), QStringLiteral("Uživatelská funkce"), tcFn,
         QStringLiteral("CURSOR_FN")},
        {QStringLiteral("ActionDate"), QStringLiteral("Datum tisku"), tcDate,
         QStringLiteral("CURSOR_DATE")},
        {QStringLiteral("ActionTime"), QStringLiteral("Čas tisku"), tcTime,
         QStringLiteral("CURSOR_TIME")},
        {QStringLiteral("ActionRadek"), QStringLiteral("Pořadové číslo řádku"), tcRadek,
         QStringLiteral("CURSOR_CISR")},
        {QStringLiteral("ActionStr"), QStringLiteral("Pořadové číslo strany"), tcStr,
         QStringLiteral("CURSOR_CISS")},
        {QStringLiteral("ActionStrCelk"), QStringLiteral("Celkový počet stran"), tcStrCelk,
         QStringLiteral("CURSOR_CELK")},
        {QStringLiteral("ActionRadSk"), QStringLiteral("Číslo řádku ve skupině"), tcRadSk,
         QStringLiteral("CURSOR_CRSK")},
        {QStringLiteral("ActionSkCis"), QStringLiteral("Pořadové číslo skupiny"), tcSkCis,
         QStringLiteral("CURSOR_CISK")},
        {QStringLiteral("ActionGrText"), QStringLiteral("Grafický text"), tcGrText,
         QStringLiteral("CURSOR_TEXT")},
        {QStringLiteral("ActionGrCara"), QStringLiteral("Úsečka"), tcGrCara,
         QStringLiteral("CURSOR_CARA")},
        {QStringLiteral("ActionGrRect"), QStringLiteral("Obdélník"), tcGrRect,
         QStringLiteral("CURSOR_RAM0")},
        {QStringLiteral("ActionRoRect"), QStringLiteral("Zaoblený obdélník"), tcRoRect,
         QStringLiteral("CURSOR_RAM1")},
        {QStringLiteral("ActionElip"), QStringLiteral("Elipsa"), tcElip,
         QStringLiteral("CURSOR_RAM2")},
        {QStringLiteral("ActionObr"), QStringLiteral("Obrázek"), tcObr,
         QStringLiteral("CURSOR_OBR")},
        {QStringLiteral("ActionBarc"), QStringLiteral("Čárový kód"), tcBarc,
         QStringLiteral("CURSOR_BARC")},
        {QStringLiteral("ActionPaintB"), QStringLiteral("Kreslicí plocha"), tcPaintB,
         QStringLiteral("CURSOR_PBOX")},
        {QStringLiteral("ActionDetail"), QStringLiteral("Detail sestavy"), tcDetail,
         QStringLiteral("CURSOR_DET")},
    };
    return tools;
}

const TDesignTool* FindTool(int code) {
    for (const TDesignTool& tool : DesignTools()) {
        if (tool.code == code) {
            return &tool;
        }
    }
    return nullptr;
}

namespace {

// Element kind of the graphic tools 1..8.
int GraphicKind(int tool) {
    switch (tool) {
        case tcGrText:
            return ekText;
        case tcGrCara:
            return ekLine;
        case tcGrRect:
            return ekFrame;
        case tcRoRect:
            return ekRoundFrame;
        case tcElip:
            return ekEllipse;
        case tcObr:
            return ekPicture;
        case tcBarc:
            return ekBarcode;
        case tcPaintB:
            return ekPaintBox;
        default:
            return 0;
    }
}

bool IsShapeKind(int kind) {
    return kind >= ekLine && kind <= ekEllipse;
}

}  // namespace

TInsertion ResolveInsertion(int tool, const TInsertChoice& choice, const TDesignerSettings& s,
                            int designWidth, int x) {
    TInsertion what;
    what.left = x;
    what.width = s.implSirka;
    what.alignment = s.implZarovnani;
    auto byName = [&](int index) {
        return s.sledPodle && !choice.sourceName.isEmpty() ? choice.sourceName
                                                           : QString::number(index);
    };
    if (tool == tcDb || tool == tcLb) {
        what.kind = tool == tcDb ? ekField : ekFieldLabel;
        what.source = byName(choice.chooserIndex);
        what.width = std::max(
            3, std::min(designWidth / 2, choice.fieldDisplayWidth * 3 * s.implVyskaFontu / 4));
        what.alignment = choice.fieldAlignment & 0x7F;
    } else if (tool == tcPar) {
        what.kind = ekParameter;
        what.source = QString::number(choice.chooserIndex);
    } else if (tool == tcFn) {
        what.kind = ekFunction;
        what.source = byName(choice.functionIndex);
        what.alignment = choice.functionIsNumber ? s.implZarovnaniCi : s.implZarovnani;
    } else if (tool >= tcDate && tool <= tcSkCis) {
        int variable = tool - tcDate;
        if (tool >= tcRadSk) {
            variable += 2 * std::max(0, choice.groupIndex);
        }
        what.kind = ekVariable;
        what.source = QString::number(variable);
        what.width = std::min(s.implSirka, s.implVyska * (variable > 1 ? 3 : 5));
        what.alignment = s.implZarovnaniCi;
    } else if (tool == tcDetail) {
        what.kind = ekDetail;
        what.source = QString::number(std::max(0, choice.detailIndex));
        what.left = 0;
        what.width = designWidth;
        what.alignment = 0;
    } else {
        what.kind = GraphicKind(tool);
        what.source = QStringLiteral("0");
        if (what.kind == ekPicture) {
            what.alignment = 0;
        }
    }
    return what;
}

QString InsertionRecord(const QString& sectionLetter, const TInsertion& what, int y,
                        const TDesignerSettings& s) {
    QStringList f{sectionLetter,
                  QString::number(what.kind),
                  what.source,
                  QString::number(what.left),
                  QString::number(y),
                  QString::number(what.width),
                  QString::number(s.implVyska),
                  s.implNazevFontu};
    if (IsShapeKind(what.kind)) {
        f << QStringLiteral("1") << QString::number(s.implBarvaFontu) << QStringLiteral("0")
          << QString::number(what.alignment) << QStringLiteral("15") << QStringLiteral("0");
    } else {
        f << QString::number(s.implVyskaFontu) << QString::number(s.implBarvaFontu)
          << QString::number(s.implStylFontu) << QString::number(what.alignment)
          << QStringLiteral("0") << QString::number(s.implSkriptFontu);
    }
    return f.join(QLatin1Char(','));
}

// Fields are listed by the words the user knows whatever "PopisyPol" says;
// the templates keep the column names (or numbers) as their references.
QString DesignFieldName(TSestavaTyp& report, int field, bool /*popisyPol*/) {
    const QString label = report.FieldLabel(field);
    return label.isEmpty() ? report.FieldName(field) : label;
}

namespace {

QString VariableDescription(int n) {
    switch (n) {
        case vaPrintDate:
            return QStringLiteral("Datum tisku");
        case vaPrintTime:
            return QStringLiteral("Čas tisku");
        case vaRowNumber:
            return QStringLiteral("Pořadové číslo řádku");
        case vaPageNumber:
            return QStringLiteral("Číslo strany");
        case vaPageCount:
            return QStringLiteral("Celkový počet stran");
        default:
            break;
    }
    if (n < vaGroupRow) {
        return QStringLiteral("Neznamy");
    }
    const int group = (n - vaGroupRow) / 2 + 1;
    return ((n - vaGroupRow) % 2 == 0 ? QStringLiteral("Číslo řádku ve skupině %1")
                                      : QStringLiteral("Číslo skupiny %1"))
        .arg(group);
}

QString DetailDescription(TSestavaTyp& report, int index) {
    QString popis;
    if (index >= 0 && index < report.Detaily().Count()) {
        popis = report.Detaily()[index]->Popis();
    }
    return QStringLiteral("Detail %1: %2").arg(index + 1).arg(popis);
}

}  // namespace

QString ElementDescription(TSestavaTyp& report, const TLumexReportElement& e, bool popisyPol) {
    switch (e.kind) {
        case ekText:
            return QStringLiteral("Grafický text");
        case ekField:
            return QStringLiteral("Položka") + QLatin1Char(' ') +
                   DesignFieldName(report, e.source, popisyPol);
        case ekFieldLabel:
            return QStringLiteral("Popis položky") + QLatin1Char(' ') +
                   DesignFieldName(report, e.source, popisyPol);
        case ekParameter:
            return QStringLiteral("Parametr") + QLatin1Char(' ') + QLatin1Char('&') +
                   QString::number(e.source + 1);
        case ekVariable:
            return VariableDescription(e.source);
        case ekFunction:
            if (e.source >= 0 && e.source < report.Funkce().Count()) {
                return QStringLiteral("Funkce") + QLatin1Char(' ') +
                       report.Funkce()[e.source].Caption();
            }
            return QStringLiteral("Funkce") + QLatin1Char(' ') + QString::number(e.source + 1) +
                   QStringLiteral("  ???");
        case ekLine:
        case ekFrame:
        case ekRoundFrame:
        case ekEllipse:
        case ekPicture:
        case ekBarcode:
        case ekPaintBox:
            return ElementKindName(e.kind);
        case ekDetail:
            return DetailDescription(report, e.source);
        default:
            return QStringLiteral("Neznamy");
    }
}
