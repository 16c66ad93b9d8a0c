// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

// Running crashkit-cli as a user or a script runs it: arguments, standard input written in
// pieces, standard output to a pipe or a file, and a limit on its memory.

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace clitest {

struct Outcome {
    int exitCode = -1;
    QString out, err;
    QByteArray outBytes;
    QJsonObject json() const { return QJsonDocument::fromJson(outBytes).object(); }
};

struct RunOptions {
    QByteArray input {};
    int inputPieces = 1; // standard input written in this many pieces ...
    int pauseMilliseconds = 0; // ... with this pause after each
    QString outputFile {}; // standard output into this file rather than a pipe
    qint64 addressSpaceLimit = 0; // bytes of virtual memory the program may take (Unix); 0: any
    int timeoutMilliseconds = 120000;
};

inline Outcome runCli(const QStringList &arguments, const RunOptions &options)
{
    const std::string shown = arguments.join(u' ').toStdString();
    QProcess process;
    if (!options.outputFile.isEmpty())
        process.setStandardOutputFile(options.outputFile);
#ifdef Q_OS_UNIX
    if (options.addressSpaceLimit > 0) {
        const auto limit = static_cast<rlim_t>(options.addressSpaceLimit);
        process.setChildProcessModifier([limit] {
            const rlimit bound {limit, limit};
            setrlimit(RLIMIT_AS, &bound);
        });
    }
#endif
    process.start(QStringLiteral(CRASHKIT_CLI), arguments);
    const qsizetype pieces = std::max(1, options.inputPieces);
    const qsizetype pieceSize = (options.input.size() + pieces - 1) / pieces;
    for (qsizetype from = 0; from < options.input.size(); from += pieceSize) {
        process.write(options.input.mid(from, pieceSize));
        while (process.bytesToWrite() > 0
               && process.waitForBytesWritten(options.timeoutMilliseconds))
            ;
        QThread::msleep(static_cast<unsigned long>(options.pauseMilliseconds));
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(options.timeoutMilliseconds)) {
        ADD_FAILURE() << "crashkit-cli did not finish: " << shown;
        process.kill();
        process.waitForFinished();
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << shown;
    const QByteArray out = process.readAllStandardOutput();
    return {process.exitCode(), QString::fromUtf8(out),
            QString::fromUtf8(process.readAllStandardError()), out};
}

inline Outcome runCli(const QStringList &arguments, const QByteArray &input = {})
{
    return runCli(arguments, RunOptions {.input = input});
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    QString path(const QString &name) const { return m_folder.filePath(name); }
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString at = path(name);
        QFile file(at);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return at;
    }
    QString setFile(int number)
    {
        return write(QStringLiteral("set%1.csv").arg(number),
                     runCli({QStringLiteral("export-set"), QString::number(number)}).outBytes);
    }

private:
    QTemporaryDir m_folder;
};

} // namespace clitest
