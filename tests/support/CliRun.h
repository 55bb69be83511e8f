#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zendrik::test {

// One run of zendrik-cli: its exit status and both output streams.
struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs zendrik-cli (the test target defines ZENDRIK_CLI) in `workDir`, or in an empty directory, so no settings or brand file of the caller count.
inline CliRun RunCli(const QStringList& args, const QString& workDir = QString(), int timeoutMs = 60000)
{
    QTemporaryDir empty;
    QProcess p;
    p.setWorkingDirectory(workDir.isEmpty() ? empty.path() : workDir);
    p.start(QStringLiteral(ZENDRIK_CLI), args);
    if (!p.waitForFinished(timeoutMs))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// The output of a run that had to succeed; a failure shows its error output.
inline QString Succeeded(const CliRun& run)
{
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return run.out;
}

} // namespace zendrik::test
