#include "app/help_window.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/folders.h"

namespace {

const QString kContentsPage = QStringLiteral("index.html");

QPushButton* Button(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Harvel – nápověda"));
    back_ = Button("BtnZpet", QStringLiteral("◀ Zpět"), this);
    forward_ = Button("BtnVpred", QStringLiteral("Vpřed ▶"), this);
    contents_ = Button("BtnObsah", QStringLiteral("Obsah"), this);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(contents_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QPushButton::clicked, this, &THelpWindow::ShowContents);
    connect(browser_, &QTextBrowser::historyChanged, this, &THelpWindow::UpdateButtons);
    resize(820, 680);
    UpdateButtons();
}

THelpWindow& THelpWindow::Instance() {
    static QPointer<THelpWindow> window;
    if (!window) {
        window = new THelpWindow;
    }
    return *window;
}

// A modal form blocks every window outside its own family, so the help window
// asked for from a modal form becomes a window of that form; when the form
// goes, it leaves it at once (before the form is destroyed) and comes back
// over whatever is modal then.
void THelpWindow::FollowModalForm() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == this || modal == parentWidget()) {
        return;
    }
    if (owner_) {
        owner_->removeEventFilter(this);
    }
    owner_ = modal;
    MoveTo(modal);
    if (owner_) {
        owner_->installEventFilter(this);
    }
}

// A window that was shown keeps its place on the screen; one never shown is
// placed by the desktop.
void THelpWindow::MoveTo(QWidget* parent) {
    const bool placed = isVisible();
    const QRect place = geometry();
    setParent(parent, Qt::Window);
    if (placed) {
        setGeometry(place);
    }
}

bool THelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == owner_ && event->type() == QEvent::Hide) {
        const bool shown = isVisible();
        owner_->removeEventFilter(this);
        owner_ = nullptr;
        MoveTo(nullptr);
        if (shown) {
            QTimer::singleShot(0, this, [this] {
                FollowModalForm();
                show();
            });
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool THelpWindow::ShowTopic(int topic) {
    return ShowPage(QString::number(topic) + QStringLiteral(".html")) || ShowContents();
}

bool THelpWindow::ShowContents() {
    return ShowPage(kContentsPage);
}

bool THelpWindow::ShowPage(const QString& fileName) {
    const QFileInfo page(platform::HelpFolder() + fileName);
    if (!page.isFile()) {
        return false;
    }
    browser_->setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
    FollowModalForm();
    show();
    raise();
    activateWindow();
    return true;
}

QString THelpWindow::CurrentPage() const {
    return browser_->source().toLocalFile();
}

void THelpWindow::UpdateButtons() {
    back_->setEnabled(browser_->isBackwardAvailable());
    forward_->setEnabled(browser_->isForwardAvailable());
}
