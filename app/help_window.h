#pragma once
// The program's help window: Czech HTML pages of the help folder, one per
// help topic ("<topic>.html"), with a contents page "index.html", shown in
// a browser of the program's own with back, forward and contents.

#include <QPointer>
#include <QWidget>

class QPushButton;
class QTextBrowser;

class THelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // Shows the topic's page, or the contents when the topic has none;
    // false when the help folder has neither.
    bool ShowTopic(int topic);
    bool ShowContents();
    // The page shown, as a file path; empty before any.
    QString CurrentPage() const;

    // The one help window of the program, created at the first request.
    static THelpWindow& Instance();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FollowModalForm();
    void MoveTo(QWidget* parent);
    bool ShowPage(const QString& fileName);
    void UpdateButtons();

    QTextBrowser* browser_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    QPushButton* contents_ = nullptr;
    QPointer<QWidget> owner_;  // the modal form the window belongs to, if any
};
