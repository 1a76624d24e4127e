#pragma once
// A file that takes the place of its target only when every byte of it was
// written: the bytes go to a hidden temporary file beside the target, which is
// synced, closed (each step checked) and then renamed over the target. A
// failed or abandoned write removes the temporary file and leaves the target
// as it was, so a full disk never leaves a file that looks complete. A target
// that is a device or a pipe (/dev/stdout) is written directly, each write
// checked. A symbolic link keeps pointing to the file it names, which is
// replaced.
//
// Unlike QSaveFile, a failure of the last buffered write (the one that
// happens at closing) is caught, and the reason is known in Czech.

#include <QIODevice>
#include <QString>

namespace platform {

class AtomicFile : public QIODevice {
  public:
    explicit AtomicFile(const QString& target);
    ~AtomicFile() override;  // removes the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file and opens the device for writing.
    bool Open();
    // Writes everything to the disk and closes the temporary file; the target
    // is not touched yet (a run of several files renames them all at the end).
    bool Finish();
    // Finishes (when not yet done) and puts the file in the target's place.
    bool Commit();
    // Gives the write up: the temporary file goes, the target stays.
    void Discard();

    const QString& Target() const { return target_; }
    bool Failed() const { return systemError_ != 0; }
    // "Soubor "out.pdf" nelze zapsat: na disku není místo." (empty while all
    // is well); errorString() holds the reason alone.
    QString FailureText() const;

    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

  private:
    bool Fail(int systemError);
    bool CreateTemporary(const QString& finalName);
    void CloseDescriptor();

    QString target_;
    QString finalName_;  // the target with its symbolic links followed
    QString temporary_;  // empty when written directly (a device, a pipe)
    int fd_ = -1;
    int systemError_ = 0;
    bool finished_ = false;
    bool committed_ = false;
};

// Puts `bytes` in the place of the file at `path` through an AtomicFile;
// answers an empty text, or the reason it failed (FailureText()).
QString WriteWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace platform
