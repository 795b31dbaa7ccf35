#include "privacy/AtomicFileWriter.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace dayvell {
namespace {

[[noreturn]] void failWriting(const QString& path)
{
    throw std::runtime_error(QStringLiteral("Unable to write to %1").arg(path).toStdString());
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done,
                                        static_cast<size_t>(bytes.size() - done));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += written;
    }
    return true;
}

// Makes the rename itself durable; a failure here does not undo the write.
void syncFolder(const QString& path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

void writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = target + ".new";

    mode_t mode = 0644;
    struct stat existing {};
    if (::stat(target.constData(), &existing) == 0)
        mode = existing.st_mode & 07777;

    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        failWriting(path);
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        ::close(fd);
        ::unlink(temporary.constData());
        failWriting(path);
    }
    if (::close(fd) != 0 || ::rename(temporary.constData(), target.constData()) != 0) {
        ::unlink(temporary.constData());
        failWriting(path);
    }
    syncFolder(path);
}

}  // namespace dayvell
