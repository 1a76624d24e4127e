#include "controls/field_captions.h"

#include <QLabel>

#include "controls/field_data_link.h"
#include "platform/store/dataset.h"
#include "platform/store/field.h"

namespace {

QString PlainCaption(QString text) {
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    text = text.simplified();
    if (text.endsWith(QLatin1Char(':'))) {
        text.chop(1);
    }
    return text;
}

}  // namespace

void GiveFieldsTheirCaptions(QWidget& form, platform::DataSet& dataSet) {
    for (QLabel* label : form.findChildren<QLabel*>()) {
        const auto* binding = dynamic_cast<const FieldBinding*>(label->buddy());
        if (binding == nullptr || binding->DataField().isEmpty()) {
            continue;
        }
        const QString caption = PlainCaption(label->text());
        if (!caption.isEmpty()) {
            dataSet.FieldSetup(binding->DataField()).caption = caption;
        }
    }
}
