#include "platform/url_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {
namespace {

UrlHandler& Handler() {
    static UrlHandler handler;
    return handler;
}

}  // namespace

bool OpenUrlText(const QString& url) {
    if (Handler()) {
        return Handler()(url);
    }
    return QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}

UrlHandler SetUrlHandler(UrlHandler handler) {
    UrlHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

}  // namespace platform
