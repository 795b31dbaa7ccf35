#pragma once

#include <QString>

namespace dayvell {

// The folder of the running program, ending in "/". Every file the program
// keeps (diary table, INI file, help, dictionaries) is looked up under it.
QString AppFolder();

// The folder part of a program file's full path, up to and including the
// last separator; a "/" is appended when the text does not already end in one.
QString FolderOfProgramFile(const QString& programFile);

// Points AppFolder somewhere else for as long as it lives (tests use a
// temporary folder). Nested overrides restore the previous one.
class AppFolderOverride
{
public:
    explicit AppFolderOverride(const QString& folder);
    ~AppFolderOverride();
    AppFolderOverride(const AppFolderOverride&) = delete;
    AppFolderOverride& operator=(const AppFolderOverride&) = delete;

private:
    QString previous_;
};

} // namespace dayvell
