#include "report/designer/scrollbox_lumex.h"

#include <QScrollBar>

TScrollBoxLumex::TScrollBoxLumex(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("ScrollBoxLumex"));
    setBackgroundRole(QPalette::Dark);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (OnHorizontalScroll) {
            OnHorizontalScroll(value);
        }
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (OnVerticalScroll) {
            OnVerticalScroll(value);
        }
    });
}
