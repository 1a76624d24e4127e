#include "report/output/widgets/forminfo.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormInfo::TFormInfo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormInfo"));
    setWindowTitle(QStringLiteral("Informace"));
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("LabelText"));
    text_->setMinimumWidth(320);
    stop_ = new QPushButton(QStringLiteral("Přerušit"), this);
    stop_->setObjectName(QStringLiteral("BtnPrerusit"));
    connect(stop_, &QPushButton::clicked, this, [this] { stopped_ = true; });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(stop_, 0, Qt::AlignHCenter);
}

void TFormInfo::SetText(const QString& text) {
    text_->setText(text);
    if (!isVisible()) {
        // While the run goes on only this window takes input: a key or a
        // click meant for the window behind it would act in the middle of
        // the run (an Escape closing the print page that started it).
        setWindowModality(Qt::ApplicationModal);
        show();
        raise();
        activateWindow();
        QCoreApplication::processEvents();
    }
}

bool TFormInfo::Poll() {
    // The run calls this between records and pages: the window paints its
    // count and a click on "Přerušit" is seen here.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return stopped_;
}

void TFormInfo::SetStopEnabled(bool enabled) {
    stop_->setEnabled(enabled);
}

QString TFormInfo::Text() const {
    return text_->text();
}

void ShowSendingToPrinter(TFormInfo& form) {
    form.SetStopEnabled(false);
    form.SetText(QStringLiteral("Odesílám data do tiskárny ..."));
}

void InstallRunProgressWindow() {
    SetRunProgressFactory([] { return std::make_unique<TFormInfo>(); });
}
