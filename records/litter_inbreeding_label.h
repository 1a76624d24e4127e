#pragma once
// TLitterInbreedingLabel: the live line of a mating entry,
// "Koeficient příbuzenské plemenitby vrhu: 12.50 %", for the litter of the
// animal and its partner. The kennel's pedigree graph is read once, when the
// first figure is asked for; while either animal is not found in the record
// sheets or stored pedigrees the figure reads "neznámý".

#include <QLabel>
#include <memory>

namespace platform {
class Database;
}
namespace pedigree {
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
    void ReadKennel();

    platform::Database& database_;
    std::unique_ptr<pedigree::TPedigreeGraph> graph_;
    std::unique_ptr<pedigree::TKennelInbreeding> kennel_;
};
