#include "app/AppFolder.h"

#include <QCoreApplication>

namespace dayvell {
namespace {

QString& overriddenFolder()
{
    static QString folder;
    return folder;
}

QString withTrailingSeparator(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

QString FolderOfProgramFile(const QString& programFile)
{
    const qsizetype lastSeparator = programFile.lastIndexOf(QLatin1Char('/'));
    return withTrailingSeparator(programFile.left(lastSeparator + 1));
}

QString AppFolder()
{
    if (!overriddenFolder().isEmpty())
        return overriddenFolder();
    return FolderOfProgramFile(QCoreApplication::applicationFilePath());
}

AppFolderOverride::AppFolderOverride(const QString& folder)
    : previous_(overriddenFolder())
{
    overriddenFolder() = withTrailingSeparator(folder);
}

AppFolderOverride::~AppFolderOverride()
{
    overriddenFolder() = previous_;
}

} // namespace dayvell
