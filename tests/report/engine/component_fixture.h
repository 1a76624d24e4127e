#pragma once
// A real data folder for the component and bridge tests: the kennel database
// in a temporary folder with three cards, a data source over main_card and a
// small list template.

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "platform/store/store.h"
#include "report/engine/predloha.h"

namespace component_test {

struct Card {
    const char* name;
    const char* call;
    bool owned;
    const char* registrCislo;
    int cip;  // 0: left empty
};

inline const Card kCards[] = {
    {"Arko z Lesní paseky", "Arko", true, "1 234,5", 123},
    {"Bella Šťastná hvězda", "Bella", false, "abc", 0},
    {"Cyril od Tří dubů", "Cyril", true, "7", 777},
};

// One body line per record: the registered name and the call name.
inline TPredloha ListTemplate() {
    return TPredloha(QStringList{
        QStringLiteral("I,0,\"Seznam\""),
        QStringLiteral("I,2,0,826,1169,50,50,70,70,1,0"),
        QStringLiteral("I,3,2,1,30,0"),
        QStringLiteral("T,2,Jmeno_registr,10,5,400,20,Arial,10,0,0,0,0,238,\"Jmeno_registr\",0,0,"
                       "0,\"\",0,\"\""),
        QStringLiteral(
            "T,2,Jmeno_call,420,5,200,20,Arial,10,0,0,0,0,238,\"Jmeno_call\",0,0,0,\"\",0,\"\""),
    });
}

class DataFolder {
  public:
    DataFolder() {
        platform::Database::CreateSchema(Path());
        database = std::make_unique<platform::Database>(Path());
        cards = std::make_unique<platform::Table>(*database, QStringLiteral("main_card"));
        cards->Open();
        for (const Card& card : kCards) {
            cards->Append();
            cards->FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(card.name));
            cards->FieldByName("Jmeno_call").SetAsString(QString::fromUtf8(card.call));
            cards->FieldByName("Vlastnictvi").SetAsBoolean(card.owned);
            cards->FieldByName("Registr_Cislo").SetAsString(QString::fromUtf8(card.registrCislo));
            if (card.cip != 0) {
                cards->FieldByName("Cip").SetAsInteger(card.cip);
            }
            cards->Post();
        }
        cards->First();
        source = std::make_unique<platform::DataSource>(QStringLiteral("DsCards"), cards.get());
    }

    QString Path() const { return dir_.path() + QStringLiteral("/data"); }
    // A file in the temporary folder (beside the data folder).
    QString File(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }
    QString Folder() const { return dir_.path() + QLatin1Char('/'); }

    std::unique_ptr<platform::Database> database;
    std::unique_ptr<platform::Table> cards;
    std::unique_ptr<platform::DataSource> source;

  private:
    QTemporaryDir dir_;
};

}  // namespace component_test
