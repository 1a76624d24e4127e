// The paper format list: the built-in formats, the user's formats in the INI
// file, and finding a format by its size.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/codepage1250.h"
#include "platform/folders.h"
#include "platform/ini_file.h"
#include "report/output/paper_formats.h"

namespace {

platform::IniFile IniFrom(const QString& text) {
    return platform::IniFile::FromBytes(platform::ToCp1250(text));
}

TEST(PaperFormats, TheSeventeenBuiltInFormatsInOrder) {
    const TListFormatu list;
    ASSERT_EQ(list.Count(), 17);
    const std::vector<TFormatPapiru> expected = {
        {"Skládaný (8.5 x 12\")", 850, 1200},     {"Skládaný (15 x 12\")", 1500, 1200},
        {"Letter (8.5 x 11\")", 850, 1100},       {"Legal (8.5 x 14\")", 850, 1400},
        {"Executive (7.25 x 10.5\")", 725, 1050}, {"A2 (420 x 594 mm)", 1652, 2338},
        {"A3 (297 x 420 mm)", 1169, 1652},        {"A4 (210 x 297 mm)", 826, 1169},
        {"A5 (148.5 x 210 mm)", 584, 826},        {"A6 (105 x 148.5mm)", 413, 584},
        {"B5 (182 x 257 mm)", 716, 1011},         {"Obálka (162 x 114 mm)", 637, 433},
        {"Obálka (220 x 110 mm)", 866, 433},      {"Obálka (228 x 162 mm)", 896, 637},
        {"Obálka otoč.(114 x 162 mm)", 433, 637}, {"Obálka otoč.(110 x 220 mm)", 433, 866},
        {"Obálka otoč.(162 x 228 mm)", 637, 896},
    };
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(list.Format(i), expected[size_t(i)]) << "format " << i;
    }
    EXPECT_EQ(list.Format(17), TFormatPapiru{});
    EXPECT_EQ(list.Format(-1), TFormatPapiru{});
}

TEST(PaperFormats, FindOrAddMatchesWithinOnePercentOrAppends) {
    TListFormatu list;
    EXPECT_EQ(list.FindOrAdd(828, 1165), 7);  // A4
    EXPECT_EQ(list.FindOrAdd(826, 1169), 7);
    EXPECT_EQ(list.FindOrAdd(1169, 826), 17) << "A4 turned is no built-in format";
    EXPECT_EQ(list.Format(17).Name, "uživ. formát");
    EXPECT_EQ(list.FindOrAdd(900, 1169), 18);
    EXPECT_EQ(list.Format(18), (TFormatPapiru{"uživ. formát", 900, 1169}));
    EXPECT_EQ(list.FindOrAdd(901, 1170), 18) << "the appended format is found next time";
    EXPECT_EQ(list.Count(), 19);
    // The bounds of 1 % are inclusive: 0.99 × 850 = 841.5, 1.01 × 1200 = 1212.
    EXPECT_EQ(list.FindOrAdd(842, 1212), 0);
    EXPECT_EQ(list.FindOrAdd(841, 1200), 19);
}

TEST(PaperFormats, LoadReadsUserFormatsAfterTheBuiltInOnes) {
    TListFormatu list;
    list.Load(
        IniFrom("[FormatyPapiru]\r\nPocetFormatu=4\r\nFormat1=Moje,850,1200\r\n"
                "Format2=\"Štítek, velký\",1000,500\r\nFormat4=Bez výšky,300\r\n"));
    ASSERT_EQ(list.Count(), 21);
    EXPECT_EQ(list.Format(16).Name, "Obálka otoč.(162 x 228 mm)");
    EXPECT_EQ(list.Format(17), (TFormatPapiru{"Moje", 850, 1200}));
    EXPECT_EQ(list.Format(18), (TFormatPapiru{"Štítek, velký", 1000, 500}));
    EXPECT_EQ(list.Format(19), (TFormatPapiru{"Uživat. unknown", 0, 0}));
    EXPECT_EQ(list.Format(20), (TFormatPapiru{"Bez výšky", 300, 0}));
}

TEST(PaperFormats, DamagedUserFormatsReadAsZeroAndShortNames) {
    TListFormatu list;
    list.Load(
        IniFrom("[FormatyPapiru]\r\nPocetFormatu=5\r\nFormat1=Široký,abc,-5\r\n"
                "Format2=Název který je mnohem delší než třicet jedna znaků,10,20\r\n"
                "Format3=\"neuzavřený,10,20\r\nFormat4=\r\nFormat5=\"\", 7 , 8 \r\n"));
    ASSERT_EQ(list.Count(), 22);
    EXPECT_EQ(list.Format(17), (TFormatPapiru{"Široký", 0, 0}));
    EXPECT_EQ(list.Format(18), (TFormatPapiru{"Název který je mnohem delší než", 10, 20}));
    EXPECT_EQ(list.Format(18).Name.size(), 31);
    EXPECT_EQ(list.Format(19), (TFormatPapiru{"neuzavřený,10,20", 0, 0}));
    EXPECT_EQ(list.Format(20), (TFormatPapiru{"", 0, 0}));
    EXPECT_EQ(list.Format(21), (TFormatPapiru{"", 7, 8}));
}

TEST(PaperFormats, CountsThatMakeNoSenseReadNoUserFormats) {
    TListFormatu list;
    list.Load(IniFrom("[FormatyPapiru]\r\nPocetFormatu=-3\r\nFormat1=A,1,2\r\n"));
    EXPECT_EQ(list.Count(), 17);
    list.Load(IniFrom("[FormatyPapiru]\r\nPocetFormatu=x\r\n"));
    EXPECT_EQ(list.Count(), 17);
    list.Load(IniFrom("[FormatyPapiru]\r\nPocetFormatu=2000000000\r\n"));
    EXPECT_EQ(list.Count(), 17 + TListFormatu::kMaxUserFormats);
    list.Load(platform::IniFile());
    EXPECT_EQ(list.Count(), 17) << "Load starts again from the built-in formats";
}

TEST(PaperFormats, SaveWritesCountAndUserFormatsOnly) {
    TListFormatu list;
    list.Add({"Moje", 850, 1200});
    list.Add({"Štítek", 413, 300});
    ASSERT_EQ(list.Count(), 19);
    platform::IniFile ini = IniFrom("[Jiné]\r\nklíč=hodnota\r\n");
    list.Save(ini);
    EXPECT_EQ(ini.ReadString("FormatyPapiru", "PocetFormatu"), "2");
    EXPECT_EQ(ini.ReadString("FormatyPapiru", "Format1"), "Moje,850,1200");
    EXPECT_EQ(ini.ReadString("FormatyPapiru", "Format2"), "Štítek,413,300");
    EXPECT_EQ(ini.Keys("FormatyPapiru"), QStringList({"PocetFormatu", "Format1", "Format2"}));
    EXPECT_EQ(ini.ReadString("Jiné", "klíč"), "hodnota");

    TListFormatu builtInOnly;
    platform::IniFile empty;
    builtInOnly.Save(empty);
    EXPECT_EQ(empty.ReadString("FormatyPapiru", "PocetFormatu"), "0");
}

TEST(PaperFormats, NamesWithCommasSurviveSavingAndLoading) {
    TListFormatu list;
    list.Add({"Štítek 10,5 cm", 413, 300});
    list.Add({"\"V uvozovkách\"", 100, 200});
    list.Add({"Role (8.5\")", 850, 0});
    platform::IniFile ini;
    list.Save(ini);
    EXPECT_EQ(ini.ReadString("FormatyPapiru", "Format1"), "\"Štítek 10,5 cm\",413,300");
    EXPECT_EQ(ini.ReadString("FormatyPapiru", "Format3"), "Role (8.5\"),850,0");

    TListFormatu loaded;
    loaded.Load(ini);
    ASSERT_EQ(loaded.Count(), 20);
    EXPECT_EQ(loaded.Format(17), (TFormatPapiru{"Štítek 10,5 cm", 413, 300}));
    EXPECT_EQ(loaded.Format(18), (TFormatPapiru{"V uvozovkách", 100, 200}));
    EXPECT_EQ(loaded.Format(19), (TFormatPapiru{"Role (8.5\")", 850, 0}));
}

TEST(PaperFormats, SaveToAFileKeepsTheRestOfItInWindows1250) {
    QTemporaryDir folder;
    const QString path = folder.filePath("SestDLL.ini");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(platform::ToCp1250(
            QStringLiteral("[EditorSestav]\r\nRastrX=8\r\n[FormatyPapiru]\r\nPocetFormatu=0\r\n")));
    }
    TListFormatu list;
    ASSERT_TRUE(list.Load(path));
    list.Add({"Čtvrtka", 500, 700});
    ASSERT_TRUE(list.Save(path));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("RastrX=8\r\n"));
    EXPECT_TRUE(bytes.contains("PocetFormatu=1\r\n"));
    EXPECT_TRUE(bytes.contains("Format1=\xC8tvrtka,500,700\r\n"));

    TListFormatu again;
    ASSERT_TRUE(again.Load(path));
    EXPECT_EQ(again.Format(17), (TFormatPapiru{"Čtvrtka", 500, 700}));
}

TEST(PaperFormats, MissingFileGivesTheBuiltInFormatsAndUnwritableFolderFails) {
    QTemporaryDir folder;
    TListFormatu list;
    list.Add({"Stará", 1, 2});
    EXPECT_TRUE(list.Load(folder.filePath("chybí.ini")));
    EXPECT_EQ(list.Count(), 17);
    list.Add({"Nová", 3, 4});
    EXPECT_FALSE(list.Save(folder.filePath("není/složka/SestDLL.ini")));
}

TEST(PaperFormats, SetFormatAndAddCutNamesAndRefuseBadIndices) {
    TListFormatu list;
    const int added = list.Add({QString(40, QLatin1Char('x')), 1, 2});
    EXPECT_EQ(added, 17);
    EXPECT_EQ(list.Format(added).Name.size(), 31);
    EXPECT_TRUE(list.SetFormat(added, {"Kratší", 3, 4}));
    EXPECT_EQ(list.Format(added), (TFormatPapiru{"Kratší", 3, 4}));
    EXPECT_FALSE(list.SetFormat(18, {"x", 1, 1}));
    EXPECT_EQ(list.Names().size(), 18);
    EXPECT_EQ(list.Names().at(7), "A4 (210 x 297 mm)");
}

TEST(PaperFormats, ReportIniPathLiesInTheProgramFolderUnlessAbsolute) {
    QTemporaryDir folder;
    platform::SetProgramFolderOverride(folder.path());
    QFile existing(folder.filePath("SESTDLL.INI"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    EXPECT_EQ(ReportIniPath("SestDLL.ini"), folder.filePath("SESTDLL.INI"));
    EXPECT_EQ(ReportIniPath("/etc/x.ini"), "/etc/x.ini");
    platform::SetProgramFolderOverride(QString());
}

}  // namespace
