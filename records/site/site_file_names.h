#pragma once
// File names of the site's pages and pictures, made from the animals'
// registered names: plain ASCII letters, digits and hyphens (Czech letters
// lose their marks, "Ája z Lipové aleje" becomes "aja-z-lipove-aleje"), so
// every web server and file system serves them alike. Two names that come
// out the same get numbers ("aja-2").

#include <QHash>
#include <QSet>
#include <QString>

namespace site {

// "aja-z-lipove-aleje"; "zvire" when nothing of the name is left.
QString FileStem(const QString& name);

class SiteFileNames {
  public:
    // The stem given to the animal, made once and kept.
    QString StemOf(const QString& animal);

  private:
    QHash<QString, QString> stems_;
    QSet<QString> taken_;
};

}  // namespace site
