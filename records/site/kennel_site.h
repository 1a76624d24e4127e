#pragma once
// Writes the kennel's web site (kennel_site_pages.h) into a folder: the
// pages, the stylesheet, the photos and their thumbnails, as site_folder.h
// puts them in place.

#include <QString>
#include <QStringList>

namespace platform {
class Database;
}

namespace site {

struct SiteWritten {
    int animals = 0;
    int litters = 0;
    int photos = 0;
    int files = 0;
    // Czech notes of what the site lacks (a photo that cannot be read) or
    // what was removed.
    QStringList notes;
};

// Throws platform::StoreError with a Czech message when the database cannot
// be read or a file cannot be written.
SiteWritten WriteKennelSite(platform::Database& database, const QString& kennelName,
                            const QString& folder);

// "Webové stránky byly zapsány do složky …: 12 zvířat, 5 vrhů, 10 fotografií."
QString SiteSummary(const SiteWritten& written, const QString& folder);

}  // namespace site
