#pragma once
// Keeps one input widget of a form and one column of the data set a data
// source follows in step, as the form's data-bound controls do:
//  - every move, re-pointing, cancel or outside change of the column shows
//    the current value (the display text; the edit text while focused);
//  - typing or choosing puts the record into editing (when the source allows
//    it and the data set can be changed), and the text is written to the
//    column when the widget is left, through the column's own rules;
//  - a value the column refuses is reported in the error box and the text
//    stays in the widget for correction.
// Widgets: QLineEdit (text, numbers, dates), QComboBox (editable: offered
// values with free text; not editable: a closed list), QCheckBox (booleans),
// QPlainTextEdit (multi-line text and memos).

#include <QObject>
#include <QPointer>
#include <QString>

#include "platform/store/datasource.h"

class QWidget;

class TFieldLink : public QObject, public platform::DataSourceListener {
    Q_OBJECT
  public:
    // A `displayOnly` link never changes the column.
    TFieldLink(platform::DataSource& source, const QString& fieldName, QWidget* widget,
               bool displayOnly = false);
    ~TFieldLink() override;

    const QString& FieldName() const { return fieldName_; }
    QWidget* Widget() const { return widget_; }
    // Whether the widget holds text not yet written to the column.
    bool Pending() const { return pending_; }

    // Writes a pending text to the column. On refusal: with `report` the
    // store's message is shown in the error box; the message is answered
    // either way (empty on success).
    QString Commit(bool report = true);
    // Shows the column's current value, dropping a pending text.
    void Load();

    void OnSourceEvent(platform::DataSource& source, const platform::DataEvent& event) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    platform::DataSet* DataSetShown() const;
    platform::Field* CurrentField() const;
    bool CanChange() const;
    void UserChanged();
    void WriteWidgetValue(platform::Field& field);
    void ShowValue(platform::Field* field);
    void UpdateReadOnly();

    platform::DataSource* source_;  // null once the source is destroyed
    QString fieldName_;
    QPointer<QWidget> widget_;
    bool displayOnly_;
    bool pending_ = false;
    bool busy_ = false;  // our own writes and loads must not echo back
};
