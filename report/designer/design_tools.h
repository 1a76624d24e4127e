#pragma once
// The designer's tools (what a press on a band inserts), the descriptive
// names of elements (tooltips and the element tree) and the element record
// an insertion creates.

#include <QString>
#include <vector>

#include "report/designer/designer_settings.h"

class TLumexReportElement;
class TSestavaTyp;

// Command codes of the tools; 0 is the selection tool, -1 answers while pasting.
enum TToolCode : int {
    tcSelect = 0,
    tcPaste = -1,
    tcGrText = 1,
    tcGrCara = 2,
    tcGrRect = 3,
    tcRoRect = 4,
    tcElip = 5,
    tcObr = 6,
    tcBarc = 7,
    tcPaintB = 8,
    tcDb = 2000,
    tcLb = 4000,
    tcPar = 6000,
    tcDate = 8000,
    tcTime = 8001,
    tcRadek = 8002,
    tcStr = 8003,
    tcStrCelk = 8004,
    tcRadSk = 8005,
    tcSkCis = 8006,
    tcFn = 10000,
    tcDetail = 12000,
};

struct TDesignTool {
    QString action;  // object name of the action
    QString hint;
    int code;
    QString cursor;  // resource name of its mouse cursor
};
// Every tool, selection tool first, in the order of the table the tabs follow.
const std::vector<TDesignTool>& DesignTools();
const TDesignTool* FindTool(int code);

// What the window knows about the chosen source when a tool inserts.
struct TInsertChoice {
    int chooserIndex = 0;       // field, parameter (element chooser)
    int functionIndex = 0;      // function list of "Funkce"
    int groupIndex = 0;         // group choice of "Proměnné" (0-based)
    int detailIndex = 0;        // detail list
    int fieldDisplayWidth = 0;  // of the chosen field
    int fieldAlignment = 0;     // of the chosen field (its low seven bits are used)
    bool functionIsNumber = false;
    QString sourceName;  // field or function name, stored with "SledPodle"
};

// The element an insertion creates, as the pieces of its record.
struct TInsertion {
    int kind = 0;
    QString source;
    int left = 0;
    int width = 0;
    int alignment = 0;
};
TInsertion ResolveInsertion(int tool, const TInsertChoice& choice, const TDesignerSettings& s,
                            int designWidth, int x);
// The record "%s,%d,%s,%d,%d,%d,%d,%s,%d,%d,%d,%d,%d,%d" of an inserted element.
QString InsertionRecord(const QString& sectionLetter, const TInsertion& what, int y,
                        const TDesignerSettings& s);

// The element's descriptive name (tooltip, element tree).
QString ElementDescription(TSestavaTyp& report, const TLumexReportElement& element, bool popisyPol);
// The name of a data field as the designer lists it: its display label (the
// column's caption), its name only when it has none.
QString DesignFieldName(TSestavaTyp& report, int field, bool popisyPol);
