#include "records/litter_inbreeding_label.h"

#include "platform/store/store_error.h"
#include "records/genetics/kennel_inbreeding.h"
#include "records/genetics/pedigree_loader.h"
#include "records/inbreeding_page.h"

namespace {

const QString kCaption = QStringLiteral("Koeficient příbuzenské plemenitby vrhu: ");

}  // namespace

TLitterInbreedingLabel::TLitterInbreedingLabel(platform::Database& database, QWidget* parent)
    : QLabel(parent), database_(database) {
    setObjectName(QStringLiteral("LabelKoeficientVrhu"));
    setText(kCaption + QStringLiteral("neznámý"));
}

TLitterInbreedingLabel::~TLitterInbreedingLabel() = default;

void TLitterInbreedingLabel::ReadKennel() {
    try {
        graph_ = std::make_unique<pedigree::TPedigreeGraph>(pedigree::LoadPedigreeGraph(database_));
    } catch (const platform::StoreError&) {
        // Without the tables the figure stays unknown; the form reports store faults itself.
        graph_ = std::make_unique<pedigree::TPedigreeGraph>();
    }
    kennel_ = std::make_unique<pedigree::TKennelInbreeding>(*graph_);
}

void TLitterInbreedingLabel::ShowLitter(const QString& animal, const QString& partner) {
    if (animal.trimmed().isEmpty() || partner.trimmed().isEmpty()) {
        setText(kCaption + QStringLiteral("neznámý"));
        return;
    }
    if (!kennel_)
        ReadKennel();
    const int first = graph_->Find(animal);
    const int second = graph_->Find(partner);
    if (first == pedigree::kUnknown || second == pedigree::kUnknown || first == second) {
        setText(kCaption + QStringLiteral("neznámý"));
        return;
    }
    setText(kCaption + TInbreedingPage::Percent(kennel_->Litter(first, second)));
}
