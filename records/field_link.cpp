#include "records/field_link.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "platform/messages.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"

namespace {

bool IsEditing(const platform::DataSet& dataSet) {
    return dataSet.State() == platform::DataSetState::Edit ||
           dataSet.State() == platform::DataSetState::Insert;
}

bool IsTextColumn(const platform::Field& field) {
    return field.Kind() == platform::ColumnType::Text;
}

// Sets a value without it counting as the user's input.
class QuietChange {
  public:
    explicit QuietChange(bool& busy) : busy_(busy), was_(busy) { busy_ = true; }
    ~QuietChange() { busy_ = was_; }

  private:
    bool& busy_;
    bool was_;
};

}  // namespace

TFieldLink::TFieldLink(platform::DataSource& source, const QString& fieldName, QWidget* widget,
                       bool displayOnly)
    : QObject(widget),
      source_(&source),
      fieldName_(fieldName),
      widget_(widget),
      displayOnly_(displayOnly) {
    source_->AddListener(this);
    widget->installEventFilter(this);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textEdited, this, &TFieldLink::UserChanged);
        connect(edit, &QLineEdit::editingFinished, this, [this] { Commit(); });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->isEditable()) {
            connect(combo->lineEdit(), &QLineEdit::textEdited, this, &TFieldLink::UserChanged);
            combo->lineEdit()->installEventFilter(this);
        }
        connect(combo, &QComboBox::activated, this, [this] {
            UserChanged();
            Commit();
        });
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        connect(check, &QCheckBox::clicked, this, [this] {
            UserChanged();
            Commit();
        });
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        connect(memo, &QPlainTextEdit::textChanged, this, [this] {
            if (!busy_) {
                UserChanged();
            }
        });
    }
    Load();
}

TFieldLink::~TFieldLink() {
    if (source_ != nullptr) {
        source_->RemoveListener(this);
    }
}

platform::DataSet* TFieldLink::DataSetShown() const {
    return source_ != nullptr ? source_->GetDataSet() : nullptr;
}

platform::Field* TFieldLink::CurrentField() const {
    platform::DataSet* dataSet = DataSetShown();
    if (dataSet == nullptr || !dataSet->IsActive()) {
        return nullptr;
    }
    return dataSet->FindField(fieldName_);
}

bool TFieldLink::CanChange() const {
    const platform::DataSet* dataSet = DataSetShown();
    return !displayOnly_ && dataSet != nullptr && dataSet->IsActive() && dataSet->CanModify() &&
           CurrentField() != nullptr;
}

// The first keystroke puts the record into editing, as a bound control does;
// a data set that cannot take it keeps the widget as it was.
void TFieldLink::UserChanged() {
    if (busy_ || widget_ == nullptr) {
        return;
    }
    if (!CanChange()) {
        Load();
        return;
    }
    platform::DataSet& dataSet = *DataSetShown();
    if (!IsEditing(dataSet)) {
        if (!source_->AutoEdit()) {
            Load();
            return;
        }
        QuietChange quiet(busy_);
        try {
            if (dataSet.RecNo() < 0) {
                dataSet.Append();
            } else {
                dataSet.Edit();
            }
        } catch (const platform::StoreError& error) {
            platform::ShowMessage(error.Message(), QString(), platform::MessageIcon::Error,
                                  platform::mbOK);
            return;
        }
    }
    pending_ = true;
}

void TFieldLink::WriteWidgetValue(platform::Field& field) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget_)) {
        field.SetText(edit->text());
    } else if (auto* combo = qobject_cast<QComboBox*>(widget_)) {
        field.SetText(combo->currentText());
    } else if (auto* check = qobject_cast<QCheckBox*>(widget_)) {
        field.SetAsBoolean(check->isChecked());
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget_)) {
        field.SetText(memo->toPlainText());
    }
}

QString TFieldLink::Commit(bool report) {
    if (!pending_ || widget_ == nullptr) {
        return QString();
    }
    platform::Field* field = CurrentField();
    if (field == nullptr || !IsEditing(field->Owner())) {
        pending_ = false;
        Load();
        return QString();
    }
    QString message;
    {
        QuietChange quiet(busy_);
        try {
            WriteWidgetValue(*field);
            pending_ = false;
        } catch (const platform::StoreError& error) {
            message = error.Message();
        }
    }
    if (!message.isEmpty()) {
        if (report) {
            platform::ShowMessage(message, QString(), platform::MessageIcon::Error, platform::mbOK);
        }
        return message;
    }
    Load();
    return QString();
}

void TFieldLink::ShowValue(platform::Field* field) {
    QuietChange quiet(busy_);
    const bool focused = widget_->hasFocus() ||
                         (widget_->focusProxy() != nullptr && widget_->focusProxy()->hasFocus());
    const QString text = field == nullptr                       ? QString()
                         : focused && IsEditing(field->Owner()) ? field->EditText()
                                                                : field->DisplayText();
    if (auto* edit = qobject_cast<QLineEdit*>(widget_)) {
        edit->setText(text);
        edit->setCursorPosition(0);
        if (field != nullptr && IsTextColumn(*field) && field->Size() > 0) {
            edit->setMaxLength(field->Size());
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(widget_)) {
        if (combo->isEditable()) {
            combo->setEditText(text);
            if (field != nullptr && IsTextColumn(*field) && field->Size() > 0) {
                combo->lineEdit()->setMaxLength(field->Size());
            }
        } else {
            combo->setCurrentIndex(combo->findText(text));
        }
    } else if (auto* check = qobject_cast<QCheckBox*>(widget_)) {
        check->setChecked(field != nullptr && field->AsBoolean());
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget_)) {
        if (memo->toPlainText() != text) {
            memo->setPlainText(text);
        }
    }
}

void TFieldLink::UpdateReadOnly() {
    const bool readOnly = !CanChange();
    if (auto* edit = qobject_cast<QLineEdit*>(widget_)) {
        edit->setReadOnly(readOnly);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget_)) {
        if (combo->isEditable()) {
            combo->lineEdit()->setReadOnly(readOnly);
        }
        combo->setProperty("readOnly", readOnly);
    } else if (auto* check = qobject_cast<QCheckBox*>(widget_)) {
        check->setAttribute(Qt::WA_TransparentForMouseEvents, readOnly);
        check->setFocusPolicy(readOnly ? Qt::NoFocus : Qt::StrongFocus);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget_)) {
        memo->setReadOnly(readOnly);
    }
}

void TFieldLink::Load() {
    if (widget_ == nullptr) {
        return;
    }
    pending_ = false;
    platform::Field* field = CurrentField();
    const platform::DataSet* dataSet = DataSetShown();
    ShowValue(field != nullptr && dataSet->RecNo() >= 0 ? field : nullptr);
    UpdateReadOnly();
}

void TFieldLink::OnSourceEvent(platform::DataSource&, const platform::DataEvent& event) {
    if (busy_) {
        return;
    }
    if (event.kind == platform::DataEventKind::FieldChanged && event.field != nullptr &&
        event.field->Name().compare(fieldName_, Qt::CaseInsensitive) != 0) {
        return;
    }
    if (event.kind == platform::DataEventKind::Destroyed) {
        source_ = nullptr;
        return;
    }
    Load();
}

// Leaving a multi-line field writes it; a closed list ignores choices
// while its record cannot change; focus swaps display and edit texts.
bool TFieldLink::eventFilter(QObject* watched, QEvent* event) {
    if (widget_ == nullptr) {
        return false;
    }
    switch (event->type()) {
        case QEvent::FocusOut:
            if (qobject_cast<QPlainTextEdit*>(widget_) != nullptr) {
                Commit();
            } else if (auto* combo = qobject_cast<QComboBox*>(widget_);
                       combo != nullptr && combo->isEditable() && watched == combo->lineEdit()) {
                Commit();
            }
            if (!pending_) {
                Load();
            }
            break;
        case QEvent::FocusIn:
            if (!pending_) {
                Load();
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress: {
            const auto* key =
                event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
            const bool moving =
                key != nullptr && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab);
            if (auto* combo = qobject_cast<QComboBox*>(widget_);
                combo != nullptr && watched == combo && !moving && !CanChange()) {
                return true;
            }
            break;
        }
        default:
            break;
    }
    return false;
}
