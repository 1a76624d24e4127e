#pragma once
// TLitterInbreedingLabel: the live line of a mating entry,
// "Koeficient příbuzenské plemenitby vrhu: 12.50 %", for the litter of the
// animal and its partner. Each figure reads the two animals' ancestors only
// (ancestor_reader.h), and what was read once is kept, so a new partner costs
// the reading of its own ancestors; a data folder without the look-ups has
// its whole graph read once instead. While either animal is not found in the
// record sheets or stored pedigrees the figure reads "neznámý".

#include <QLabel>
#include <memory>
#include <optional>

namespace platform {
class Database;
}
namespace pedigree {
class TAncestorReader;
class TKennelInbreeding;
class TPedigreeGraph;
}  // namespace pedigree

class TLitterInbreedingLabel : public QLabel {
    Q_OBJECT
  public:
    explicit TLitterInbreedingLabel(platform::Database& database, QWidget* parent = nullptr);
    ~TLitterInbreedingLabel() override;

    // Shows the figure of a litter of the two animals (in either order).
    void ShowLitter(const QString& animal, const QString& partner);

  private:
    // The litter's F; nothing while an animal is unknown or the kennel cannot be read.
    std::optional<double> LitterFigure(const QString& animal, const QString& partner);
    std::optional<double> FromAncestors(const QString& animal, const QString& partner);
    std::optional<double> FromWholeKennel(const QString& animal, const QString& partner);
    void ReadKennel();

    platform::Database& database_;
    std::unique_ptr<pedigree::TAncestorReader> reader_;
    bool readerFailed_ = false;
    std::unique_ptr<pedigree::TPedigreeGraph> graph_;
    std::unique_ptr<pedigree::TKennelInbreeding> kennel_;
};
