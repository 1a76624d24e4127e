#include "records/fovybery.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "platform/messages.h"
#include "platform/store/store_error.h"
#include "platform/widgets/dialogs.h"
#include "records/foseznam.h"

TFoVybery::TFoVybery(TDM1& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("FoVybery"));
    setWindowTitle(QStringLiteral("Zvláštní výběry"));
    BuildForm();
}

void TFoVybery::BuildForm() {
    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    for (QWidget* page : {BuildEvidlist(), BuildOsetreni(), BuildVystavy(), BuildTituly(),
                          BuildChovnost(), BuildVrhy(), BuildKryti(), BuildZkousky()}) {
        pages_->addWidget(page);
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BtnOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* storno = new QPushButton(QStringLiteral("Storno"), this);
    storno->setObjectName(QStringLiteral("BtnStorno"));
    storno->setAutoDefault(false);
    connect(storno, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(storno);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);
    setMinimumWidth(560);
}

bool TFoVybery::SelectPage(const QString& pageName) {
    for (int i = 0; i < pages_->count(); ++i) {
        QWidget* page = pages_->widget(i);
        if (page->objectName().compare(pageName, Qt::CaseInsensitive) == 0) {
            pages_->setCurrentWidget(page);
            return true;
        }
    }
    return false;
}

QString TFoVybery::CurrentPageName() const {
    return pages_->currentWidget()->objectName();
}

bool TFoVybery::ShowPage(const QString& pageName) {
    if (!SelectPage(pageName)) {
        return false;
    }
    return platform::ExecModal(*this) == QDialog::Accepted;
}

QString TFoVybery::SelectionCondition(int book) const {
    if (book < 0 || book >= static_cast<int>(conditions_.size())) {
        return QString();
    }
    QString text;
    for (const TCondition& condition : conditions_[static_cast<size_t>(book)]) {
        if (condition.active->isChecked()) {
            text += condition.text() + QStringLiteral(" AND ");
        }
    }
    return text;
}

// The address book starts at the field's text; its answer replaces the
// text, so closing it without OK empties the field.
void TFoVybery::LookUpAddress(QLineEdit* field) {
    try {
        field->setText(dm_.AddressLookup(field->text()));
    } catch (const platform::StoreError& error) {
        platform::ShowMessage(error.Message(), QString(), platform::MessageIcon::Error,
                              platform::mbOK);
    }
}

void TFoVybery::PickAnimalInto(QLineEdit* field) {
    if (const std::optional<QString> picked = PickAnimal(dm_, this)) {
        field->setText(*picked);
    }
}
