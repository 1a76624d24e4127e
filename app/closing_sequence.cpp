#include "app/closing_sequence.h"

#include <QCoreApplication>
#include <QWidget>

void CloseWithSequence(QWidget& window) {
    window.hide();
    QCoreApplication::processEvents();
    window.close();
}
