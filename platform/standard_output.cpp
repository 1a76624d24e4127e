#include "platform/standard_output.h"

#include <unistd.h>

#include <cerrno>

#include "platform/write_failure.h"

namespace platform {
namespace {

bool WriteAll(int fd, const QByteArray& bytes, int& systemError) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            systemError = errno;
            return false;
        }
        done += n;
    }
    return true;
}

void AppendHex(QByteArray& out, const char* prefix, unsigned value, int digits) {
    out += prefix;
    out += QByteArray::number(value, 16).toUpper().rightJustified(digits, '0');
}

}  // namespace

QByteArray EscapeControlCharacters(const QByteArray& utf8) {
    QByteArray out;
    out.reserve(utf8.size());
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0u;
        if ((byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F) {
            AppendHex(out, "\\x", byte, 2);
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            // U+0080..U+009F: terminals take some of them as commands too.
            AppendHex(out, "\\u", next, 4);
            ++i;
        } else {
            out += char(byte);
        }
    }
    return out;
}

StandardOutput::StandardOutput(int fd) : fd_(fd), terminal_(::isatty(fd) == 1) {
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

QString StandardOutput::FailureReason() const {
    return Failed() ? WriteFailureReason(systemError_) : QString();
}

qint64 StandardOutput::readData(char*, qint64) {
    return -1;
}

qint64 StandardOutput::writeData(const char* data, qint64 size) {
    if (Failed()) {
        return -1;
    }
    const QByteArray bytes = QByteArray::fromRawData(data, size);
    if (!WriteAll(fd_, terminal_ ? EscapeControlCharacters(bytes) : bytes, systemError_)) {
        return -1;
    }
    return size;
}

void WriteErrorLine(const QString& text) {
    QByteArray bytes = text.toUtf8() + '\n';
    if (::isatty(STDERR_FILENO) == 1) {
        bytes = EscapeControlCharacters(bytes);
    }
    int ignored = 0;
    WriteAll(STDERR_FILENO, bytes, ignored);
}

}  // namespace platform
