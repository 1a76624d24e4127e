#pragma once
// The modal pick list over the address book: a grid of adresar.db with the
// key name, name, town and telephone, and the buttons OK and Storno. The
// row current when OK is pressed is the choice; the caller reads it from
// the table.

#include <QDialog>

namespace platform {
class DataSource;
}

class TAddressPickDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TAddressPickDialog(platform::DataSource& addresses, QWidget* parent = nullptr);
};
