#include "app/pedigree_sheet_dataset.h"

#include "app/rows_holding.h"
#include "platform/store/column_captions.h"
#include "platform/store/query.h"
#include "records/genetics/pedigree_store_source.h"

namespace {

using pedigree::kSheetLastPlace;
using pedigree::SheetPlaceField;
using platform::ColumnSchema;
using platform::ColumnType;

constexpr int kNameWidth = 40;
constexpr int kDetailWidth = 255;

// The details every place has, in column order.
enum Detail { dtTitles, dtBirth, dtColour, dtRegister, dtHealth, dtCount };
const char* const kDetailPrefix[dtCount] = {"TIT_", "NAR_", "BAR_", "REG_", "ZDR_"};
const char* const kDetailCaption[dtCount] = {"Tituly", "Narození", "Barva", "Registr", "Zdraví"};

// The animal's own columns after the places, as main_card.db names them.
const char* const kAnimalColumns[] = {"Plemeno",        "Pohlavi",  "Cip",
                                      "Tetovaci_cislo", "Chovatel", "Majitel"};
constexpr int kAnimalColumnCount = static_cast<int>(std::size(kAnimalColumns));
constexpr int kPlaceColumns = kSheetLastPlace * (1 + dtCount);
constexpr int kPhotoColumn = kPlaceColumns + kAnimalColumnCount;

int DetailColumn(Detail detail, int place) {
    return kSheetLastPlace * (1 + detail) + place - 1;
}

// The word a place is shown by: rodokmen.db's caption for generations 1 to 4,
// "5. generace otce 3" for generation 5.
QString PlaceCaption(int place) {
    const QString field = SheetPlaceField(place);
    if (place > pedigree::kLastPlace) {
        constexpr int kPerSide = 16;
        const int index = place - pedigree::kLastPlace - 1;
        return QStringLiteral("5. generace %1 %2")
            .arg(index < kPerSide ? QStringLiteral("otce") : QStringLiteral("matky"))
            .arg(index % kPerSide + 1);
    }
    const QString caption = platform::ColumnCaption(QStringLiteral("rodokmen.db"), field);
    return caption.isEmpty() ? field : caption;
}

std::vector<ColumnSchema> Columns() {
    std::vector<ColumnSchema> columns;
    for (int place = 1; place <= kSheetLastPlace; ++place) {
        columns.push_back(
            {SheetPlaceField(place), ColumnType::Text, kNameWidth, PlaceCaption(place)});
    }
    for (int detail = 0; detail < dtCount; ++detail) {
        for (int place = 1; place <= kSheetLastPlace; ++place) {
            const bool date = detail == dtBirth;
            columns.push_back(
                {QString::fromLatin1(kDetailPrefix[detail]) + SheetPlaceField(place),
                 date ? ColumnType::Date : ColumnType::Text, date ? 0 : kDetailWidth,
                 QStringLiteral("%1 – %2").arg(QString::fromUtf8(kDetailCaption[detail]),
                                               PlaceCaption(place))});
        }
    }
    for (const char* name : kAnimalColumns) {
        const QString column = QString::fromLatin1(name);
        const bool chip = column == QLatin1String("Cip");
        columns.push_back({column, chip ? ColumnType::Largeint : ColumnType::Text,
                           chip ? 0 : kDetailWidth,
                           platform::ColumnCaption(QStringLiteral("main_card.db"), column)});
    }
    columns.push_back(
        {QStringLiteral("Foto"), ColumnType::Graphic, 0, QStringLiteral("Fotografie")});
    return columns;
}

QString RegisterText(const pedigree::TAncestorCard& card) {
    QStringList parts;
    for (const QString* part : {&card.registr, &card.registrNumber}) {
        if (!part->isEmpty()) {
            parts << *part;
        }
    }
    return parts.join(u' ');
}

platform::Value TextValue(const QString& text) {
    return text.isEmpty() ? platform::Value() : platform::Value(text);
}

}  // namespace

QStringList PedigreeSheetColumns() {
    QStringList names;
    for (const ColumnSchema& column : Columns()) {
        names << column.name;
    }
    return names;
}

TPedigreeSheetDataSet::TPedigreeSheetDataSet(platform::Database& database) : DataSet(database) {
    SetName(QStringLiteral("QRodokmenEvid"));
}

TPedigreeSheetDataSet::~TPedigreeSheetDataSet() = default;

void TPedigreeSheetDataSet::Select(const QString& order, const QString& where) {
    platform::Query animals(*GetDatabase());
    QStringList lines{QStringLiteral("Select *  from Main_card")};
    if (!where.isEmpty()) {
        lines << QStringLiteral("Where ") + where;
    }
    if (!order.isEmpty()) {
        lines << QStringLiteral("order by ") + order;
    }
    animals.SetSQL(lines);
    animals.Open();
    QStringList names;
    const platform::Field& name = animals.FieldByName(QStringLiteral("Jmeno_registr"));
    for (animals.First(); !animals.Eof(); animals.Next()) {
        names << name.AsString();
    }
    SetAnimals(names);
}

void TPedigreeSheetDataSet::SetAnimals(const QStringList& names) {
    Assemble(names);
    if (IsActive()) {
        Refresh();
    }
}

void TPedigreeSheetDataSet::Assemble(const QStringList& names) {
    source_ = std::make_unique<pedigree::TStoreAncestorSource>(*GetDatabase());
    rows_.clear();
    rows_.reserve(static_cast<size_t>(names.size()));
    problems_.clear();
    for (const QString& animal : names) {
        const pedigree::TAssembledPedigree assembled = pedigree::AssemblePedigree(*source_, animal);
        for (const QString& problem : assembled.problems) {
            if (!problems_.contains(problem)) {
                problems_ << problem;
            }
        }
        platform::Row row(static_cast<size_t>(kPhotoColumn + 1));
        for (int place = 1; place <= kSheetLastPlace; ++place) {
            const QString& name = assembled.names[static_cast<size_t>(place)];
            row[static_cast<size_t>(place - 1)] = TextValue(name);
            if (name.isEmpty()) {
                continue;
            }
            const pedigree::TAncestorCard* card = source_->Card(name);
            const auto set = [&row, place](Detail detail, const QString& text) {
                row[static_cast<size_t>(DetailColumn(detail, place))] = TextValue(text);
            };
            if (card == nullptr) {
                set(dtTitles, assembled.storedTitles[static_cast<size_t>(place)]);
                continue;
            }
            set(dtTitles, source_->Titles(name));
            set(dtBirth, card->birth);
            set(dtColour, card->colour);
            set(dtRegister, RegisterText(*card));
            set(dtHealth, pedigree::HealthText(*card));
        }
        if (const pedigree::TAncestorCard* card = source_->Card(assembled.names[1])) {
            const QString texts[] = {card->breed,  card->sex,     QString(),
                                     card->tattoo, card->breeder, card->owner};
            for (int i = 0; i < kAnimalColumnCount; ++i) {
                row[static_cast<size_t>(kPlaceColumns) + static_cast<size_t>(i)] =
                    TextValue(texts[i]);
            }
            if (card->chip) {
                row[static_cast<size_t>(kPlaceColumns) + 2] = platform::Value(*card->chip);
            }
        }
        rows_.push_back(std::move(row));
    }
}

std::vector<ColumnSchema> TPedigreeSheetDataSet::DoOpen() {
    return Columns();
}

std::vector<platform::DataSet::RowId> TPedigreeSheetDataSet::LoadRowIds() {
    std::vector<RowId> ids(rows_.size());
    for (size_t i = 0; i < ids.size(); ++i) {
        ids[i] = static_cast<RowId>(i);
    }
    return ids;
}

void TPedigreeSheetDataSet::FetchRow(RowId id, platform::Row& out) {
    out.clear();
    if (id < 0 || static_cast<size_t>(id) >= rows_.size()) {
        return;
    }
    out = rows_[static_cast<size_t>(id)];
    const auto* animal = std::get_if<QString>(&out[0]);
    if (animal != nullptr && source_) {
        const QByteArray photo = source_->Photo(*animal);
        if (!photo.isEmpty()) {
            out[static_cast<size_t>(kPhotoColumn)] = platform::Value(photo);
        }
    }
}

std::vector<platform::DataSet::RowId> TPedigreeSheetDataSet::FindRows(
    const std::vector<int>& columns, const std::vector<platform::Value>& values) {
    return RowsHolding(
        rows_.size(), [this](RowId id, platform::Row& row) { FetchRow(id, row); }, columns, values);
}
