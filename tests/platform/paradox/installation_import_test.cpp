// Taking over an old installation into a new data folder: the sample kennel
// with its memos and pictures, columns by name in any case, unknown columns
// reported, one transaction with refusals or --keep-going, a second import
// refused, damaged tables, interruption, settings and templates copied, the
// old folder left untouched.

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include "platform/paradox/installation_import.h"
#include "platform/paradox/paradox_error.h"
#include "platform/store/backup.h"
#include "platform/store/store.h"
#include "tests/support/paradox_writer.h"

namespace {

namespace pw = paradox_writer;
using platform::paradox::ImportOldInstallation;
using platform::paradox::ImportRequest;
using platform::paradox::ImportResult;
using platform::paradox::TableSummary;

QString KennelFolder() {
    for (const QString& c : {QStringLiteral(HARVEL_SOURCE_DIR "/../shared/paradox/kennel"),
                             QStringLiteral(HARVEL_SOURCE_DIR "/../../shared/paradox/kennel")}) {
        if (QFile::exists(c + "/main_card.db")) {
            return QDir(c).absolutePath();
        }
    }
    return QString();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void WriteTable(const QString& folder, const QString& dbName, const pw::Table& t) {
    const pw::Files files = pw::Write(t);
    WriteFile(folder + "/" + dbName, files.db);
    if (!files.mb.isEmpty()) {
        WriteFile(folder + "/" + QFileInfo(dbName).completeBaseName() + ".MB", files.mb);
    }
}

// Every file under a folder with a hash of its bytes and its time stamp.
QStringList Fingerprint(const QString& folder) {
    QStringList lines;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        lines << path + " " +
                     QCryptographicHash::hash(ReadFile(path), QCryptographicHash::Sha1).toHex() +
                     " " + QString::number(it.fileInfo().lastModified().toMSecsSinceEpoch());
    }
    lines.sort();
    return lines;
}

const TableSummary& Summary(const ImportResult& r, const QString& table) {
    for (const TableSummary& t : r.tables) {
        if (t.table == table) {
            return t;
        }
    }
    static TableSummary none;
    ADD_FAILURE() << "no summary of " << table.toStdString();
    return none;
}

int Rows(const QString& dataFolder, const QString& table) {
    platform::Database db(dataFolder);
    platform::Table t(db, table);
    t.Open();
    return t.RecordCount();
}

pw::Table OldCards(const std::vector<std::string>& names) {
    pw::Table t;
    t.keyFields = 1;
    t.fields = {{"JMENO_REGISTR", pw::kAlpha, 40},
                {"pohlavi", pw::kAlpha, 12},
                {"Barva", pw::kLong, 4},
                {"Poznamka", pw::kMemo, 20}};
    for (const std::string& n : names) {
        t.rows.push_back({QByteArray::fromStdString(n), QByteArray("Pes"), std::int64_t{1},
                          pw::Blob{QByteArray("poznámka ").append(QByteArray::fromStdString(n))}});
    }
    return t;
}

pw::Table OldLitters(int count) {
    pw::Table t;
    t.fields = {{"Jmeno_registr", pw::kAlpha, 40},
                {"Datum", pw::kDate, 4},
                {"Pocet_stenat_F", pw::kShort, 2}};
    for (int i = 0; i < count; ++i) {
        t.rows.push_back({QByteArray("Fena"), QDate(2020, 1, 1).addDays(i), std::int64_t{i}});
    }
    return t;
}

class InstallationImport : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        source_ = dir_.filePath("stara");
        target_ = dir_.filePath("DATA");
        QDir().mkpath(source_);
    }
    ImportResult Import(bool keepGoing = false) {
        ImportRequest request;
        request.source = source_;
        request.target = target_;
        request.keepGoing = keepGoing;
        return ImportOldInstallation(request);
    }
    QTemporaryDir dir_;
    QString source_, target_;
};

TEST_F(InstallationImport, TheSampleKennelComesOverWithEveryMemoAndPicture) {
    const QString kennel = KennelFolder();
    if (kennel.isEmpty()) {
        GTEST_SKIP() << "the shared Paradox sample tables (shared/paradox/kennel) are missing";
    }
    // File names in another letter case than Harvel's, as an old Windows folder may have them.
    const std::vector<std::pair<QString, QString>> files = {{"main_card.db", "MAIN_CARD.DB"},
                                                            {"main_card.mb", "Main_Card.MB"},
                                                            {"main_card.px", "MAIN_CARD.PX"},
                                                            {"vrhy.db", "Vrhy.DB"},
                                                            {"vrhy.mb", "VRHY.mb"},
                                                            {"foto_album.db", "FOTO_ALBUM.db"},
                                                            {"foto_album.mb", "foto_album.MB"}};
    for (const auto& [from, to] : files) {
        WriteFile(source_ + "/" + to, ReadFile(kennel + "/" + from));
    }
    const QStringList before = Fingerprint(source_);

    const ImportResult r = Import();
    ASSERT_TRUE(r.committed) << r.RefusalText().toStdString();
    EXPECT_EQ(Fingerprint(source_), before);  // the old folder is only read

    const TableSummary& cards = Summary(r, "main_card.db");
    EXPECT_EQ(cards.oldFile, "MAIN_CARD.DB");
    EXPECT_EQ(cards.read, 20);
    EXPECT_EQ(cards.written, 20);
    EXPECT_EQ(cards.refused, 0);
    EXPECT_EQ(cards.memos, 6);
    EXPECT_EQ(cards.unknownColumns, QStringList{"Vyska"});
    const TableSummary& litters = Summary(r, "vrhy.db");
    EXPECT_EQ(litters.written, 3);
    EXPECT_EQ(litters.memos, 2);
    EXPECT_EQ(litters.unknownColumns, QStringList({"Pocet_pes", "Pocet_fena"}));
    const TableSummary& photos = Summary(r, "foto_album.db");
    EXPECT_EQ(photos.written, 3);
    EXPECT_EQ(photos.pictures, 3);
    EXPECT_TRUE(Summary(r, "kryti.DB").oldFile.isEmpty());
    const QString text = r.SummaryText();
    EXPECT_TRUE(text.contains("main_card.db           20       20          0         6        0"))
        << text.toStdString();
    EXPECT_TRUE(
        text.contains("Sloupce, které Harvel nemá (nepřevzaty): main_card.db: Vyska; "
                      "vrhy.db: Pocet_pes, Pocet_fena"));
    EXPECT_TRUE(text.contains("Ve staré složce chybí: kryti.DB, osetreni.db"));
    // The earlier program had no seasons: they are not missing, only empty.
    EXPECT_FALSE(text.contains("harani")) << text.toStdString();
    EXPECT_EQ(Rows(target_, "harani.db"), 0);

    platform::Database db(target_);
    platform::Table card(db, "main_card.db");
    card.Open();
    ASSERT_TRUE(card.Locate("Jmeno_registr", QStringLiteral("Čert ze Skály")));
    EXPECT_EQ(card.FieldByName("Poznamka").AsString().size(), 285);
    EXPECT_EQ(card.FieldByName("Datum_nar").AsDate(), QDate(2018, 11, 2));
    EXPECT_EQ(card.FieldByName("Matka").AsString(), QStringLiteral("Žofie z Lipové aleje"));
    EXPECT_TRUE(card.FieldByName("Vlast_odchov").AsBoolean());
    ASSERT_TRUE(card.Locate("Jmeno_registr", QStringLiteral("Bára z Kopečku")));
    EXPECT_TRUE(card.FieldByName("Datum_nar").IsNull());
    EXPECT_TRUE(card.FieldByName("Vlast_odchov").IsNull());
    EXPECT_TRUE(card.FieldByName("Poznamka").IsNull());
    EXPECT_TRUE(card.FieldByName("Registr").IsNull());  // not in the old table: stays empty
    platform::Table photo(db, "foto_album.db");
    photo.Open();
    ASSERT_TRUE(photo.Locate("Jmeno_registr", QStringLiteral("Žofie z Lipové aleje")));
    EXPECT_EQ(photo.FieldByName("Foto_1").AsBytes(),
              ReadFile(kennel + "/expected/kostky40x30.bmp"));
    EXPECT_EQ(photo.FieldByName("Foto_2").AsBytes(), ReadFile(kennel + "/expected/dog64x48.jpg"));
    platform::Table litter(db, "vrhy.db");
    litter.Open();
    ASSERT_TRUE(litter.Locate("Jmeno_reg_otec", QStringLiteral("Čert ze Skály")));
    EXPECT_TRUE(litter.FieldByName("Poznamka").AsString().contains(QStringLiteral("„A“")));
}

TEST_F(InstallationImport, ASecondImportIntoTheSameFolderIsRefused) {
    WriteTable(source_, "main_card.db", OldCards({"Aron", "Brok"}));
    ASSERT_TRUE(Import().committed);
    try {
        Import();
        FAIL() << "a second import went through";
    } catch (const platform::StoreError& e) {
        EXPECT_TRUE(e.Message().contains("už obsahuje data (tabulka main_card.db: 2 řádků)"))
            << e.Message().toStdString();
    }
    EXPECT_EQ(Rows(target_, "main_card.db"), 2);
}

TEST_F(InstallationImport, TheSexIsWrittenInTheListsOwnSpelling) {
    pw::Table cards = OldCards({"Aron", "Bára", "Cyril", "Dora"});
    cards.rows[0][1] = QByteArray("pes");
    cards.rows[1][1] = QByteArray("FENA ");
    cards.rows[2][1] = QByteArray("kastrat");
    cards.rows[3][1] = QByteArray("Fena");
    WriteTable(source_, "main_card.db", cards);
    ASSERT_TRUE(Import().committed);
    platform::Database db(target_);
    platform::Table t(db, "main_card.db");
    t.Open();
    QStringList sexes;
    for (t.First(); !t.Eof(); t.Next()) {
        sexes << t.FieldByName("Pohlavi").AsString();
    }
    EXPECT_EQ(sexes, QStringList({"Pes", "Fena", "kastrat", "Fena"}));
}

TEST_F(InstallationImport, ARefusedRowWritesNothingInAnyTable) {
    WriteTable(source_, "vrhy.db", OldLitters(5));
    WriteTable(source_, "main_card.db", OldCards({"Aron", "Brok", "Aron", "Cyril"}));
    const ImportResult r = Import();
    EXPECT_FALSE(r.committed);
    ASSERT_EQ(r.refusals.size(), 1u);
    EXPECT_EQ(r.refusals[0].table, "main_card.db");
    EXPECT_EQ(r.refusals[0].row, 3);
    EXPECT_EQ(r.refusals[0].key, "Aron");
    EXPECT_TRUE(r.refusals[0].reason.contains("již existuje záznam"))
        << r.refusals[0].reason.toStdString();
    EXPECT_EQ(r.RefusalText(), "main_card.db, řádek 3 („Aron“): " + r.refusals[0].reason + "\n");
    EXPECT_EQ(Rows(target_, "main_card.db"), 0);
    EXPECT_EQ(Rows(target_, "vrhy.db"), 0);
    EXPECT_EQ(Summary(r, "main_card.db").written, 0);
    EXPECT_EQ(Summary(r, "main_card.db").refused, 1);
}

TEST_F(InstallationImport, KeepGoingWritesTheRestAndListsTheRefusedRows) {
    pw::Table litters = OldLitters(3);
    litters.fields[2].type = pw::kLong;  // a count the smallint column cannot hold
    litters.rows[1][2] = std::int64_t{70000};
    WriteTable(source_, "vrhy.db", litters);
    pw::Table cards = OldCards({"Aron", "Aron"});
    cards.rows.push_back(
        {QByteArray(40, 'x'), QByteArray("Fena 12345"), {}, {}});  // Pohlavi too long
    WriteTable(source_, "main_card.db", cards);
    const ImportResult r = Import(true);
    ASSERT_TRUE(r.committed);
    ASSERT_EQ(r.refusals.size(), 3u);
    EXPECT_TRUE(r.refusals[0].reason.contains("již existuje"));
    EXPECT_TRUE(r.refusals[1].reason.contains("Pohlavi")) << r.refusals[1].reason.toStdString();
    EXPECT_TRUE(r.refusals[1].reason.contains("pojme 8"));
    EXPECT_EQ(r.refusals[2].table, "vrhy.db");
    EXPECT_EQ(r.refusals[2].row, 2);
    EXPECT_TRUE(r.refusals[2].reason.contains("rozsah")) << r.refusals[2].reason.toStdString();
    EXPECT_EQ(Rows(target_, "main_card.db"), 1);
    EXPECT_EQ(Rows(target_, "vrhy.db"), 2);
    EXPECT_EQ(Summary(r, "main_card.db").memos, 1);
    EXPECT_EQ(Summary(r, "vrhy.db").read, 3);
    EXPECT_EQ(Summary(r, "vrhy.db").written, 2);
    EXPECT_EQ(Summary(r, "vrhy.db").refused, 1);
}

TEST_F(InstallationImport, ADamagedTableStopsEverythingAndNamesTheTable) {
    WriteTable(source_, "main_card.db", OldCards({"Aron", "Brok"}));
    pw::Files litters = pw::Write(OldLitters(40));
    litters.db.truncate(litters.db.size() - 1500);
    WriteFile(source_ + "/vrhy.db", litters.db);
    try {
        Import(true);
        FAIL() << "a truncated table was taken over";
    } catch (const platform::paradox::ParadoxError& e) {
        EXPECT_TRUE(e.Message().startsWith("Tabulka vrhy.db: soubor je zkrácený"))
            << e.Message().toStdString();
    }
    EXPECT_EQ(Rows(target_, "main_card.db"), 0);
    QFile::remove(source_ + "/vrhy.db");
    QFile::remove(source_ + "/MAIN_CARD.MB");
    QFile::remove(source_ + "/main_card.MB");
    EXPECT_THROW(Import(true), platform::paradox::ParadoxError);  // the memo file is missing
}

TEST_F(InstallationImport, InterruptedImportWritesNothing) {
    WriteTable(source_, "vrhy.db", OldLitters(2000));
    ImportRequest request;
    request.source = source_;
    request.target = target_;
    int calls = 0, total = 0;
    const ImportResult r =
        ImportOldInstallation(request, [&](const platform::paradox::ImportProgress& p) {
            total = p.rowsTotal;
            return ++calls < 3;
        });
    EXPECT_TRUE(r.interrupted);
    EXPECT_FALSE(r.committed);
    EXPECT_EQ(total, 2000);
    EXPECT_EQ(Rows(target_, "vrhy.db"), 0);
}

TEST_F(InstallationImport, SettingsAndTemplatesOfTheOldInstallationAreCopied) {
    // An old installation's root: DATA\ with the tables, BIN\ with the
    // program's settings, Predlohy\ with the templates.
    const QString root = dir_.filePath("Harvel");
    WriteTable(root + "/DATA", "main_card.db", OldCards({"Aron"}));
    WriteFile(root + "/BIN/HARVEL.INI", "[EvidList]\r\nOnlineFoto=1\r\n");
    WriteFile(root + "/SestDLL.ini", "[FormatyPapiru]\r\n");
    WriteFile(root + "/Predlohy/EvidList01.pts",
              "\xC8"
              "ert\r\n");
    WriteFile(root + "/Predlohy/Vlastni.PTS", "x\r\n");
    const QString templates = dir_.filePath("new/Predlohy"), settings = dir_.filePath("new/bin");
    WriteFile(templates + "/EvidList01.pts", "shipped\r\n");
    ImportRequest request;
    request.source = root;  // the root, not the data folder: DATA\ is found
    request.target = target_;
    request.templatesTarget = templates;
    request.settingsTarget = settings;
    const ImportResult r = ImportOldInstallation(request);
    ASSERT_TRUE(r.committed);
    EXPECT_EQ(Rows(target_, "main_card.db"), 1);
    EXPECT_EQ(r.copiedSettings, QStringList({"HARVEL.INI", "SestDLL.ini"}));
    EXPECT_EQ(ReadFile(settings + "/HARVEL.INI"), "[EvidList]\r\nOnlineFoto=1\r\n");
    EXPECT_EQ(ReadFile(templates + "/EvidList01.pts"),
              "\xC8"
              "ert\r\n");  // as it was, in 1250
    EXPECT_EQ(ReadFile(templates + "/Vlastni.PTS"), "x\r\n");
    EXPECT_EQ(r.copiedTemplates.size(), 2);
}

TEST_F(InstallationImport, AFolderWithoutOldTablesIsRefused) {
    WriteFile(source_ + "/readme.txt", "nic");
    try {
        Import();
        FAIL();
    } catch (const platform::StoreError& e) {
        EXPECT_TRUE(e.Message().contains("nejsou tabulky dřívější instalace"))
            << e.Message().toStdString();
    }
}

}  // namespace

TEST_F(InstallationImport, ARecordSheetWithoutARegisteredNameIsRefused) {
    WriteTable(source_, "main_card.db", OldCards({"Aron", "", "   "}));
    const ImportResult r = Import();
    EXPECT_FALSE(r.committed);
    ASSERT_EQ(r.refusals.size(), 2u);
    EXPECT_EQ(r.refusals[0].row, 2);
    EXPECT_EQ(r.refusals[1].row, 3);
    EXPECT_TRUE(r.refusals[0].reason.contains("registrované jméno (Jmeno_registr) musí být"))
        << r.refusals[0].reason.toStdString();
    EXPECT_EQ(Rows(target_, "main_card.db"), 0);
    const ImportResult rest = Import(true);
    EXPECT_TRUE(rest.committed);
    EXPECT_EQ(Rows(target_, "main_card.db"), 1);
}

TEST_F(InstallationImport, AnExistingTargetDatabaseIsBackedUpBeforeAnythingIsWritten) {
    platform::Database::CreateSchema(target_);
    WriteTable(source_, "main_card.db", OldCards({"Aron", "Brok"}));
    const ImportResult r = Import();
    ASSERT_TRUE(r.committed);
    ASSERT_FALSE(r.backupFile.isEmpty());
    EXPECT_EQ(platform::ListBackups(target_), QStringList{r.backupFile});
    // The backup holds the target as it was: the thirteen empty tables.
    QString problem;
    EXPECT_TRUE(platform::DatabaseIsSound(r.backupFile, &problem)) << problem.toStdString();
    EXPECT_EQ(Rows(target_, "main_card.db"), 2);
    // A new target has nothing to back up.
    QDir(target_).removeRecursively();
    EXPECT_TRUE(Import().backupFile.isEmpty());
}
