#pragma once
// Bound fields of the event-book edit forms, named as the forms name them.

#include <QStringList>

class QWidget;
class TDBComboBoxKopa;
class TDBMemoLumex;
class TKDBEditKopa;
namespace platform {
class DataSource;
}

TKDBEditKopa* NewBoundEdit(const char* name, platform::DataSource& source, const char* field,
                           int maxLength, bool commaToPoint, QWidget* parent);
// The registered name of the edit forms: shown bold, never edited.
TKDBEditKopa* NewBoundNameLabel(const char* name, platform::DataSource& source, QWidget* parent);
TDBMemoLumex* NewBoundMemo(const char* name, platform::DataSource& source, const char* field,
                           int maxLength, QWidget* parent);
TDBComboBoxKopa* NewBoundCombo(const char* name, platform::DataSource& source, const char* field,
                               const QStringList& items, QWidget* parent);
