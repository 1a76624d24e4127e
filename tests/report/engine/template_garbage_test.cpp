// Templates are edited by hand and shared: whatever a file holds, reading it
// must not crash or hang, and what the writer makes of it must read back to
// the same lines.

#include <gtest/gtest.h>

#include <random>

#include "tests/report/engine/template_test_layout.h"

namespace {

struct Report {
    Report() { master.Detaily().Add(&detail); }
    TestLayout master{KennelFields()};
    TestLayout detail{{"a"}, true};
};

// Applies the lines, writes them, applies the written lines to a fresh report
// and checks that it writes the same again.
void ExpectStable(const TPredloha& lines) {
    Report first;
    first.master.SetPredloha(lines);
    const TPredloha written = first.master.WriteTemplate();
    Report second;
    second.master.SetPredloha(written);
    ASSERT_EQ(second.master.WriteTemplate().Lines(), written.Lines());
}

TEST(TemplateGarbage, EveryPrefixOfEveryRichLine) {
    TPredloha rich;
    ASSERT_TRUE(rich.LoadFromFile(TestDataPath("rich_all_kinds.pts")));
    for (const QString& line : rich.Lines()) {
        for (qsizetype length = 0; length <= line.size(); ++length) {
            ExpectStable(TPredloha(QStringList{line.left(length)}));
        }
    }
}

TEST(TemplateGarbage, HugeAndOddNumbers) {
    const QString huge = QStringLiteral("99999999999999999999");
    QStringList lines;
    for (const char* code :
         {"I,0", "I,1", "I,2", "I,3",  "I,4",  "I,5",  "I,6",  "I,7",  "F,0",  "T,1",   "T,2",
          "T,5", "T,6", "T,7", "T,11", "T,12", "T,13", "T,15", "T,99", "T,-1", "D0,T,1"}) {
        for (const QString& value : {huge, QStringLiteral("-2147483648"),
                                     QStringLiteral("2147483647"), QStringLiteral("-1")}) {
            QString line = QString::fromLatin1(code);
            for (int field = 0; field < 24; ++field) {
                line += u',' + value;
            }
            lines.append(line);
        }
    }
    ExpectStable(TPredloha(lines));
    Report report;
    report.master.SetPredloha(TPredloha(lines));
    EXPECT_GE(report.master.Settings().printColumns, 1);
    for (int position = 0; position < report.master.Skupiny().Count(); ++position) {
        EXPECT_GE(report.master.Skupiny()[position].header->type, stGroupHeader);
    }
}

TEST(TemplateGarbage, VeryLongLines) {
    const QString longText(10000, u'x');
    const QString quotes(10000, u'"');
    const QString commas(10000, u',');
    QStringList lines = {
        "I,0,\"" + longText + "\"",
        "I,7,0,0,0,0,0,0,0," + longText,
        "F,0," + longText + ",\"" + longText + "\"",
        "T,1,0,0,0,10,10," + longText + ",10,0,0,0,0,238,\"" + longText + "\"",
        "T,2," + longText,
        "T," + commas,
        "T,1," + quotes,
        "I,4,0," + quotes,
        "D0," + commas,
        quotes,
        commas,
    };
    ExpectStable(TPredloha(lines));
    Report report;
    report.master.SetPredloha(TPredloha(lines));
    EXPECT_EQ(report.master.Popis(), longText);
    EXPECT_EQ(report.master.Oddily().Fixed(stBody)[0].font.name.size(), kMaxFontNameLength);
    EXPECT_EQ(report.master.Oddily().Fixed(stBody)[1].sourceName.size(), kMaxSourceNameLength);
}

TEST(TemplateGarbage, InvalidCodePageBytesAndControlCharacters) {
    QByteArray bytes = "I,0,\"\x81\x83\x88\x90\x98\"\r\nT,1,0,0,0,1,1,\x98,1,0,0,0,0,238,\"";
    bytes.append('\0');
    bytes.append("\x01\x1f\xff\"\r\nT,2,\x90\x81,0,0,1,1\r\n");
    TPredloha predloha;
    predloha.LoadFromBytes(bytes);
    ExpectStable(predloha);
    Report report;
    report.master.SetPredloha(predloha);
    ASSERT_EQ(report.master.Oddily().Fixed(stBody).Count(), 2);
    EXPECT_EQ(report.master.Oddily().Fixed(stBody)[0].text.size(), 4);
    EXPECT_EQ(report.master.WriteTemplate().ToBytes().count("\x81\x83\x88\x90\x98"), 1);
}

// Lines stitched together from pieces of real records, so that most of them
// reach deep into the readers.
TEST(TemplateGarbage, RandomRecords) {
    const QStringList pieces = {
        "I",       "F",        "Z",       "H",   "T",  "K",  "P",   "S0",  "U0",    "S1", "U1",
        "D0",      "D1",       "0",       "1",   "2",  "3",  "4",   "5",   "6",     "7",  "8",
        "11",      "12",       "13",      "15",  "14", "-1", "-50", "255", "65536", "\"", "\"\"",
        "\"a,b\"", "Arial CE", "Plemeno", "Lek", "#1", "x",  "",    " "};
    std::mt19937 random(20240611);
    for (int round = 0; round < 200; ++round) {
        QStringList lines;
        const int lineCount = 1 + static_cast<int>(random() % 30);
        for (int line = 0; line < lineCount; ++line) {
            QStringList fields;
            const int fieldCount = static_cast<int>(random() % 25);
            for (int field = 0; field < fieldCount; ++field) {
                fields.append(pieces[static_cast<int>(random() % pieces.size())]);
            }
            lines.append(fields.join(random() % 10 == 0 ? u'"' : u','));
        }
        ExpectStable(TPredloha(lines));
        if (HasFatalFailure()) {
            ADD_FAILURE() << lines.join('\n').toStdString();
            return;
        }
    }
}

TEST(TemplateGarbage, RandomBytes) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes(static_cast<int>(random() % 600), '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(random() % 4 == 0 ? ",\"\r\n"[random() % 4] : random() % 256);
        }
        TPredloha predloha;
        predloha.LoadFromBytes(bytes);
        ExpectStable(predloha);
    }
}

}  // namespace
