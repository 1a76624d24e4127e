#pragma once
// Field types, stepping directions and step results shared by the report
// engine and its data bridge. The ordinals are fixed: templates and
// applications store them.

enum TFieldTypeS : int {
    ftsUnknown,
    ftsString,
    ftsSmallint,
    ftsInteger,
    ftsWord,
    ftsBoolean,
    ftsFloat,
    ftsCurrency,
    ftsBCD,
    ftsDate,
    ftsTime,
    ftsDateTime,
    ftsBytes,
    ftsVarBytes,
    ftsAutoInc,
    ftsBlob,
    ftsMemo,
    ftsGraphic,
    ftsFmtMemo,
    ftsParadoxOle,
    ftsDBaseOle,
    ftsTypedBinary,
    ftsCursor,
    ftsFixedChar,
    ftsWideString,
    ftsLargeint,
    ftsADT,
    ftsArray,
    ftsReference,
    ftsDataSet,
    ftsOraBlob,
    ftsOraClob,
    ftsVariant,
    ftsInterface,
    ftsIDispatch,
    ftsGuid,
    ftsTimeStamp,
    ftsFMTBcd,
};

enum TStepDir : int { sdFirst = 0, sdPrior = 1, sdNext = 2, sdLast = 3 };

// 1 when the data stands before the first record, 2 when after the last.
enum TStepResult : int { srOK = 0, srBof = 1, srEof = 2, srBoth = 3 };

inline bool IsPictureFieldType(int type) {
    return type == ftsBlob || type == ftsGraphic || type == ftsTypedBinary;
}

inline bool IsMemoFieldType(int type) {
    return type == ftsMemo || type == ftsFmtMemo;
}
