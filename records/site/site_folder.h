#pragma once
// The folder the site is written into. Every file goes first to a temporary
// file beside its place; Commit() syncs them all to the disk at once (one
// sync of the file system, not one per file: a site has hundreds of files)
// and only then renames each into its place, so a full disk or a file that
// cannot be written leaves the previous site as it was and no half-written
// file.
// The folder keeps a list of the files the site wrote (".harvel-web"); what
// an earlier run wrote and this one no longer does (the page of an animal
// since marked "Nezveřejňovat" or sold) is removed, while files of the
// user's own in the folder stay.

#include <QDir>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace site {

class SiteFolder {
  public:
    // Makes the folder and its subfolders; throws platform::StoreError.
    SiteFolder(const QString& folder, const QStringList& subfolders);
    ~SiteFolder();  // removes the temporary files of an unfinished run
    SiteFolder(const SiteFolder&) = delete;
    SiteFolder& operator=(const SiteFolder&) = delete;

    // Writes a file (a path relative to the folder); throws platform::StoreError.
    void Write(const QString& relative, const QByteArray& bytes);
    // Syncs, puts every file in its place, removes what the previous run
    // wrote and this one did not; answers the removed files.
    QStringList Commit();

    int FileCount() const { return static_cast<int>(pending_.size()); }

  private:
    QString Temporary(const QString& relative) const;
    QStringList PreviousFiles() const;
    static bool IsSiteFile(const QString& name, const QStringList& subfolders);

    QDir dir_;
    QStringList subfolders_;
    std::vector<QString> pending_;  // relative names written to their temporary files
    bool committed_ = false;
};

}  // namespace site
