#include "app/aboutbox.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/program_version.h"

namespace {

constexpr int kProductPointSize = 16;

QLabel* NewLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

// The program's version, the same that "harvel --version" prints.
QString TAboutBox1::VersionText() {
    return platform::ProgramVersion();
}

TAboutBox1::TAboutBox1(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("AboutBox1"));
    setWindowTitle(QStringLiteral("O aplikaci"));

    // Without a window frame the box draws a frame of its own.
    auto* outer = new QFrame(this);
    outer->setObjectName(QStringLiteral("OuterFrame"));
    outer->setFrameShape(QFrame::Box);
    auto* panel = new QFrame(outer);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* icon = NewLabel("ProgramIcon", QString(), panel);
    icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    auto* product = NewLabel("ProductName", QStringLiteral("Harvel 1.0"), panel);
    QFont productFont = product->font();
    productFont.setPointSize(kProductPointSize);
    productFont.setBold(true);
    product->setFont(productFont);
    auto* versionCaption = NewLabel("VersionCaption", QStringLiteral("Verze:"), panel);
    auto* version = NewLabel("Version", VersionText(), panel);

    auto* grid = new QGridLayout(panel);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(product, 0, 1, 1, 2);
    grid->addWidget(versionCaption, 1, 1);
    grid->addWidget(version, 1, 2);
    grid->setColumnStretch(2, 1);
    grid->setHorizontalSpacing(12);
    grid->setContentsMargins(14, 14, 14, 14);
    panel->setMinimumWidth(280);

    auto* ok = new QPushButton(QStringLiteral("OK"), outer);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TAboutBox1::OKButtonClick);

    auto* inner = new QVBoxLayout(outer);
    inner->setContentsMargins(10, 10, 10, 10);
    inner->setSpacing(10);
    inner->addWidget(panel);
    inner->addWidget(ok, 0, Qt::AlignHCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(outer);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// The launcher's closing sequence: hide, let the windows below repaint, close.
void TAboutBox1::OKButtonClick() {
    setResult(QDialog::Accepted);
    hide();
    QCoreApplication::processEvents();
    accept();
}

// Enter closes the box at once, without the closing sequence.
void TAboutBox1::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
