#include "records/fofullnahled.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "controls/db_image.h"

TFoFullNahled::TFoFullNahled(TDM1& dm, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoFullNahled"));
    setWindowTitle(QStringLiteral("Plný náhled"));

    image_ = new TDBImageAspect(this);
    image_->setObjectName(QStringLiteral("DBImage1"));
    image_->SetReadOnly(true);
    image_->SetCenter(true);
    image_->SetStretch(true);
    image_->SetBorderStyle(bsNone);
    image_->SetDataSource(&dm.SoFoto_Album);
    image_->SetDataField(QStringLiteral("Foto_1"));

    close_ = new QPushButton(QStringLiteral("Zavřít"), this);
    close_->setObjectName(QStringLiteral("BtnZavrit"));
    close_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    // Esc closes the view whichever of its parts has the input.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(image_, 1);
    layout->addLayout(bottom);

    QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        setGeometry(screen->availableGeometry());
    }
    // With a window manager the frame goes inside the work area as well.
    setWindowState(Qt::WindowMaximized);
}
