#pragma once
// Bound fields of the event-book edit forms, named as the forms name them.

#include <QString>
#include <QStringList>

class QWidget;
class TDBComboBoxKopa;
class TDBMemoLumex;
class TKDBEditKopa;
namespace platform {
class DataSource;
}

// A one-line field of `field`; `maxLength` 0 takes as many characters as a
// text column holds, a smaller limit takes no more than that.
TKDBEditKopa* NewBoundEdit(const QString& name, platform::DataSource& source, const QString& field,
                           int maxLength, bool commaToPoint, QWidget* parent);
// The registered name of the edit forms: shown bold, never edited.
TKDBEditKopa* NewBoundNameLabel(const QString& name, platform::DataSource& source, QWidget* parent);
TDBMemoLumex* NewBoundMemo(const QString& name, platform::DataSource& source, const QString& field,
                           int maxLength, QWidget* parent);
TDBComboBoxKopa* NewBoundCombo(const QString& name, platform::DataSource& source,
                               const QString& field, const QStringList& items, QWidget* parent);
