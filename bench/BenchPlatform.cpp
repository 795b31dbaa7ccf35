#include "BenchPlatform.h"

#include <QString>
#include <QtGlobal>

namespace dayvell::bench {
namespace {

QtMessageHandler toolkitHandler = nullptr;

void dropPlatformNotices(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support"))
        || message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    toolkitHandler(type, context, message);
}

} // namespace

void useBenchPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_QPA_UPDATE_IDLE_TIME"))
        qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    toolkitHandler = qInstallMessageHandler(dropPlatformNotices);
}

} // namespace dayvell::bench
