#include "app/address_links.h"

#include <QRegularExpression>

QString MailUrl(const QString& email) {
    return QStringLiteral("mailto:") + email.trimmed();
}

QString WebUrl(const QString& web) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    const QString address = web.trimmed();
    if (scheme.match(address).hasMatch()) {
        return address;
    }
    return QStringLiteral("http://") + address;
}
