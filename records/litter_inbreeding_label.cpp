#include "records/litter_inbreeding_label.h"

#include "platform/store/store_error.h"
#include "records/genetics/ancestor_reader.h"
#include "records/genetics/kennel_inbreeding.h"
#include "records/genetics/pedigree_loader.h"
#include "records/inbreeding_page.h"

namespace {

const QString kCaption = QStringLiteral("Koeficient příbuzenské plemenitby vrhu: ");

// The litter's F in `graph`; nothing while an animal is not in it.
std::optional<double> LitterIn(const pedigree::TPedigreeGraph& graph,
                               pedigree::TKennelInbreeding& kennel, const QString& animal,
                               const QString& partner) {
    const int first = graph.Find(animal);
    const int second = graph.Find(partner);
    if (first == pedigree::kUnknown || second == pedigree::kUnknown || first == second) {
        return std::nullopt;
    }
    return kennel.Litter(first, second);
}

}  // namespace

TLitterInbreedingLabel::TLitterInbreedingLabel(platform::Database& database, QWidget* parent)
    : QLabel(parent), database_(database) {
    setObjectName(QStringLiteral("LabelKoeficientVrhu"));
    setText(kCaption + QStringLiteral("neznámý"));
}

TLitterInbreedingLabel::~TLitterInbreedingLabel() = default;

void TLitterInbreedingLabel::ShowLitter(const QString& animal, const QString& partner) {
    std::optional<double> figure;
    if (!animal.trimmed().isEmpty() && !partner.trimmed().isEmpty()) {
        figure = LitterFigure(animal, partner);
    }
    setText(kCaption + (figure ? TInbreedingPage::Percent(*figure) : QStringLiteral("neznámý")));
}

std::optional<double> TLitterInbreedingLabel::LitterFigure(const QString& animal,
                                                           const QString& partner) {
    // Without the tables the figure stays unknown; the form reports store faults itself.
    if (!reader_ && !readerFailed_) {
        try {
            reader_ = std::make_unique<pedigree::TAncestorReader>(database_);
        } catch (const platform::StoreError&) {
            readerFailed_ = true;
        }
    }
    if (reader_ && reader_->CanRead()) {
        try {
            return FromAncestors(animal, partner);
        } catch (const platform::StoreError&) {
            return std::nullopt;
        }
    }
    return FromWholeKennel(animal, partner);
}

std::optional<double> TLitterInbreedingLabel::FromAncestors(const QString& animal,
                                                            const QString& partner) {
    const pedigree::TPedigreeGraph graph = reader_->Read({animal, partner});
    pedigree::TKennelInbreeding kennel(graph);
    return LitterIn(graph, kennel, animal, partner);
}

std::optional<double> TLitterInbreedingLabel::FromWholeKennel(const QString& animal,
                                                              const QString& partner) {
    if (!kennel_) {
        ReadKennel();
    }
    return LitterIn(*graph_, *kennel_, animal, partner);
}

void TLitterInbreedingLabel::ReadKennel() {
    try {
        graph_ = std::make_unique<pedigree::TPedigreeGraph>(pedigree::LoadPedigreeGraph(database_));
    } catch (const platform::StoreError&) {
        graph_ = std::make_unique<pedigree::TPedigreeGraph>();
    }
    kennel_ = std::make_unique<pedigree::TKennelInbreeding>(*graph_);
}
