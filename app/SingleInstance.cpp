#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace dayvell {
namespace {

QString markerPath(const QString& markerName)
{
    const QByteArray runtimeFolder = qgetenv("XDG_RUNTIME_DIR");
    if (!runtimeFolder.isEmpty() && QDir(QFile::decodeName(runtimeFolder)).exists())
        return QFile::decodeName(runtimeFolder) + QLatin1Char('/') + markerName;
    return QDir::tempPath() + QLatin1Char('/') + markerName + QLatin1Char('-')
        + QString::number(::getuid());
}

} // namespace

bool IsAlreadyRunning(const QString& markerName)
{
    const QByteArray path = QFile::encodeName(markerPath(markerName));
    // O_NOFOLLOW: the file may lie in a shared temporary folder.
    const int descriptor = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return false;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0)
        return false; // The descriptor stays open: the lock is held until the process ends.
    const bool heldElsewhere = errno == EWOULDBLOCK;
    ::close(descriptor);
    return heldElsewhere;
}

} // namespace dayvell
