#include "records/site/kennel_site.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QtConcurrent/QtConcurrentMap>

#include "platform/czech_plural.h"
#include "platform/store/store_error.h"
#include "records/site/kennel_site_data.h"
#include "records/site/kennel_site_pages.h"
#include "records/site/site_folder.h"

namespace site {
namespace {

constexpr int kPhotoSide = 800;
constexpr int kThumbnailSide = 320;
constexpr int kJpegQuality = 85;
QByteArray Jpeg(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", kJpegQuality);
    return bytes;
}

// The photo decoded at most kPhotoSide on its longer side (the decoder
// scales while it reads, which is much faster than scaling afterwards).
QImage DecodedPhoto(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kPhotoSide || size.height() > kPhotoSide)) {
        reader.setScaledSize(size.scaled(kPhotoSide, kPhotoSide, Qt::KeepAspectRatio));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return image;
    }
    // A picture without alpha keeps JPEG's colours; a transparent one gets white.
    if (!image.hasAlphaChannel()) {
        return image;
    }
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

// An animal's photo and thumbnail as JPEG files; empty when it has no
// photo or one that cannot be read.
struct PhotoFiles {
    QByteArray photo, thumbnail;
};

PhotoFiles MakePhotoFiles(const SiteAnimal& animal) {
    if (animal.photo.isEmpty()) {
        return {};
    }
    const QImage photo = DecodedPhoto(animal.photo);
    if (photo.isNull()) {
        return {};
    }
    return {Jpeg(photo), Jpeg(photo.scaled(kThumbnailSide, kThumbnailSide, Qt::KeepAspectRatio,
                                           Qt::SmoothTransformation))};
}

// Decoding and scaling the photos is most of the site's work: it runs on
// every core, the files are written in the animals' order.
int WritePhotos(SiteFolder& folder, const SiteKennel& kennel, SiteLinks& links,
                QStringList& notes) {
    const QList<PhotoFiles> made =
        QtConcurrent::blockingMapped<QList<PhotoFiles>>(kennel.animals, MakePhotoFiles);
    const QString photos = QString::fromLatin1(kPhotoFolder) + u'/';
    int written = 0;
    for (size_t i = 0; i < kennel.animals.size(); ++i) {
        const SiteAnimal& animal = kennel.animals[i];
        const PhotoFiles& files = made[static_cast<qsizetype>(i)];
        if (files.photo.isEmpty()) {
            if (!animal.photo.isEmpty()) {
                notes << QStringLiteral(
                             "Fotografii zvířete „%1“ nelze přečíst; jeho stránka je bez ní.")
                             .arg(animal.name);
            }
            continue;
        }
        folder.Write(photos + links.Photo(animal.name), files.photo);
        folder.Write(photos + links.Thumbnail(animal.name), files.thumbnail);
        links.withPhoto.insert(animal.name);
        ++written;
    }
    return written;
}

}  // namespace

SiteWritten WriteKennelSite(platform::Database& database, const QString& kennelName,
                            const QString& folder) {
    const SiteKennel kennel = ReadSiteKennel(database, kennelName);
    SiteFolder site(folder,
                    {QString::fromLatin1(kAnimalFolder), QString::fromLatin1(kPhotoFolder)});
    SiteLinks links;
    SiteWritten written;
    written.animals = static_cast<int>(kennel.animals.size());
    written.litters = static_cast<int>(kennel.litters.size());
    written.photos = WritePhotos(site, kennel, links, written.notes);
    const QString animals = QString::fromLatin1(kAnimalFolder) + u'/';
    for (const SiteAnimal& animal : kennel.animals) {
        site.Write(animals + links.AnimalPage(animal.name),
                   AnimalPage(kennel, animal, links).toUtf8());
    }
    site.Write(QString::fromLatin1(kLittersPage), LittersPage(kennel, links).toUtf8());
    site.Write(QString::fromLatin1(kStylesheet), Stylesheet().toUtf8());
    site.Write(QString::fromLatin1(kIndexPage), IndexPage(kennel, links).toUtf8());
    for (const QString& removed : site.Commit()) {
        written.notes << QStringLiteral("Odstraněn soubor dřívějších stránek: %1").arg(removed);
    }
    written.files = site.FileCount();
    return written;
}

namespace {

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString Counted(int count, const platform::CzechForms& forms) {
    return QString::number(count) + u' ' + platform::CzechPlural(count, forms);
}

}  // namespace

QString SiteSummary(const SiteWritten& written, const QString& folder) {
    return QStringLiteral("Webové stránky byly zapsány do složky „%1“: %2, %3, %4.")
        .arg(Native(folder), Counted(written.animals, {"zvíře", "zvířata", "zvířat"}),
             Counted(written.litters, {"vrh", "vrhy", "vrhů"}),
             Counted(written.photos, {"fotografie", "fotografie", "fotografií"}));
}

}  // namespace site
