#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

namespace {

// Each test uses a fresh runtime folder, so nothing else holds its marker.
class SingleInstanceTest : public ::testing::Test
{
protected:
    QTemporaryDir runtimeFolder;

    void startProbe(QProcess& probe, const QString& marker)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", runtimeFolder.path());
        probe.setProcessEnvironment(environment);
        probe.start(QStringLiteral(PROBE_PATH), { marker });
        ASSERT_TRUE(probe.waitForStarted(10000));
    }

    QString answerOf(QProcess& probe)
    {
        probe.waitForReadyRead(10000);
        return QString::fromLatin1(probe.readLine()).trimmed();
    }
};

} // namespace

TEST_F(SingleInstanceTest, SecondCopyIsRefusedAndTheMarkerDiesWithTheFirst)
{
    QProcess first;
    startProbe(first, "SemaphoreName");
    ASSERT_EQ(answerOf(first), "first");

    QProcess second;
    startProbe(second, "SemaphoreName");
    EXPECT_EQ(answerOf(second), "running");
    EXPECT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // Killed without any chance to clean up, the first copy still frees it.
    first.kill();
    ASSERT_TRUE(first.waitForFinished(10000));
    QProcess third;
    startProbe(third, "SemaphoreName");
    EXPECT_EQ(answerOf(third), "first");
    third.kill();
    third.waitForFinished(10000);
}

TEST_F(SingleInstanceTest, TheHoldingProcessItselfIsToldThatACopyRuns)
{
    qputenv("XDG_RUNTIME_DIR", runtimeFolder.path().toLocal8Bit());
    const QString marker = QUuid::createUuid().toString(QUuid::Id128);
    EXPECT_FALSE(dayvell::IsAlreadyRunning(marker));
    EXPECT_TRUE(dayvell::IsAlreadyRunning(marker));
    EXPECT_FALSE(dayvell::IsAlreadyRunning(marker + "-other"));
}

TEST_F(SingleInstanceTest, AnUnusableMarkerPlaceCountsAsNoOtherCopy)
{
    qputenv("XDG_RUNTIME_DIR", runtimeFolder.path().toLocal8Bit());
    EXPECT_FALSE(dayvell::IsAlreadyRunning("no-such-folder/SemaphoreName"));
}

TEST_F(SingleInstanceTest, TheProgramHoldsTheMarkerWhileItRuns)
{
    // A copy of the program in a folder of its own keeps its diary there.
    QTemporaryDir programFolder;
    const QString program = programFolder.filePath("dayvell");
    ASSERT_TRUE(QFile::copy(QStringLiteral(DAYVELL_PATH), program));
    QProcess diary;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtimeFolder.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    diary.setProcessEnvironment(environment);
    diary.start(program, {});
    ASSERT_TRUE(diary.waitForStarted(10000));

    QString answer;
    for (int attempt = 0; attempt < 100 && answer != "running"; ++attempt) {
        QProcess probe;
        startProbe(probe, "SemaphoreName");
        answer = answerOf(probe);
        if (answer == "first") {
            probe.kill();
            probe.waitForFinished(10000);
            QThread::msleep(100);
        }
    }
    EXPECT_EQ(answer, "running");
    EXPECT_EQ(diary.state(), QProcess::Running);
    for (int attempt = 0; attempt < 100 && !QFile::exists(programFolder.filePath("DAYVELL.DBF")); ++attempt)
        QThread::msleep(100);
    EXPECT_TRUE(QFile::exists(programFolder.filePath("DAYVELL.DBF"))) << "the diary lives beside the program";

    diary.kill();
    ASSERT_TRUE(diary.waitForFinished(10000));
    QProcess after;
    startProbe(after, "SemaphoreName");
    EXPECT_EQ(answerOf(after), "first");
    after.kill();
    after.waitForFinished(10000);
}
