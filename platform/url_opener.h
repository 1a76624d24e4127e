#pragma once
// The one road by which the program hands a "mailto:" or "http://" text to
// the system's default handler (the mail client, the web browser). The real
// handler opens it through QDesktopServices; tests install one that records
// the text and opens nothing.

#include <QString>
#include <functional>

namespace platform {

// Answers whether a handler took the text.
using UrlHandler = std::function<bool(const QString& url)>;

bool OpenUrlText(const QString& url);

// Replaces the handler; returns the previous one. An empty handler restores
// the system's default handlers.
UrlHandler SetUrlHandler(UrlHandler handler);

}  // namespace platform
