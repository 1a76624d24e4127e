#pragma once
// The files of one export run. Every file is written to a temporary file
// beside its target; only when all of them are written are they put in
// place, so a full disk halfway through a run of page files leaves the old
// files as they were and no page file that looks complete but is not. A run
// that ends without Commit() removes its temporary files.

#include <QString>
#include <memory>
#include <vector>

#include "platform/atomic_file.h"

namespace harvel_report {

class OutputFiles {
  public:
    // The next file of the run, open for writing; nullptr (and Failure())
    // when it cannot be made.
    platform::AtomicFile* Open(const QString& fileName);
    // Ends the writing of `file` (its bytes reach the disk, it stays
    // temporary); false (and Failure()) when they did not.
    bool Finish(platform::AtomicFile& file);
    // Puts every finished file in its target's place; false when one could not be.
    bool Commit();
    // Why the run failed: "Soubor "out2.png" nelze zapsat: na disku není místo."
    const QString& Failure() const { return failure_; }

  private:
    bool Fail(const platform::AtomicFile& file);

    std::vector<std::unique_ptr<platform::AtomicFile>> files_;
    QString failure_;
};

}  // namespace harvel_report
