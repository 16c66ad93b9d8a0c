// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Opening and saving files: formats by extension, files that cannot be read, and saves
// that fail without touching what was there.

#include "iotestsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using io::FileFormat;
using io::FileProblemKind;

const engine::Project kProject {
    "House",
    {{"A", "Dig", {}, 5, 3, 100000}, {"B", "Pour, \"wet\"", {"A"}, 4, 2, 3333}},
    8};

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

TEST(ProjectFile, FormatComesFromTheExtension)
{
    const struct {
        const char *path;
        std::optional<FileFormat> format;
    } cases[] = {
        {"plan.csv", FileFormat::Csv},
        {"dir.x/PLAN.CSV", FileFormat::Csv},
        {"a.b.crashkit", FileFormat::Crashkit},
        {"plan.Crashkit", FileFormat::Crashkit},
        {"plan.txt", std::nullopt},
        {"csv", std::nullopt},
        {".csv", std::nullopt},
        {"plan.csv.bak", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(io::formatOfPath(QString::fromUtf8(c.path)), c.format) << c.path;
}

TEST(ProjectFile, SavesAndOpensBothForms)
{
    QTemporaryDir dir;
    for (const char *name : {"plan.csv", "plan.crashkit"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        put(path, "old");
        const io::ProblemList problems = io::saveProject(kProject, path);
        ASSERT_TRUE(problems.isEmpty()) << problems.message().toStdString();
        EXPECT_EQ(contents(path), io::write(kProject, *io::formatOfPath(path)));
        const io::ReadResult result = io::openProject(path);
        ASSERT_TRUE(result.isLoaded()) << result.message().toStdString();
        // CSV holds the activities only.
        EXPECT_EQ(
            iotest::difference(result.project(), kProject, QByteArray(name).endsWith("crashkit")),
            "")
            << name;
    }
}

TEST(ProjectFile, RefusesWhatItCannotRead)
{
    QTemporaryDir dir;
    const QString big = dir.filePath(u"big.csv"_qs);
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(io::kMaxFileSize + 1)); // sparse: no 64 MiB written
    }
    QDir(dir.path()).mkdir(u"folder.csv"_qs);
    const struct {
        QString path;
        FileProblemKind kind;
    } cases[] = {
        {dir.filePath(u"missing.csv"_qs), FileProblemKind::FileMissing},
        {dir.filePath(u"plan.txt"_qs), FileProblemKind::UnknownExtension},
        {dir.filePath(u"folder.csv"_qs), FileProblemKind::NotRegularFile},
        {big, FileProblemKind::FileTooLarge},
#ifdef Q_OS_UNIX
        {u"/dev/null/x.csv"_qs, FileProblemKind::FileMissing},
#endif
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const io::ReadResult result = io::openProject(c.path);
        ASSERT_FALSE(result.isLoaded());
        ASSERT_EQ(result.problems().count(), 1);
        EXPECT_EQ(result.problems().kept()[0].kind, c.kind);
        EXPECT_EQ(result.problems().kept()[0].place.file, c.path);
        EXPECT_TRUE(result.message().startsWith(c.path + u": "_qs));
    }
    EXPECT_EQ(io::read(QByteArray(io::kMaxFileSize + 1, 'a'), u"-"_qs, FileFormat::Csv)
                  .problems()
                  .kept()
                  .at(0)
                  .kind,
              FileProblemKind::FileTooLarge);
}

#ifdef Q_OS_UNIX
TEST(ProjectFile, RefusesPipesAndDevicesWithoutWaiting)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(u"pipe.csv"_qs);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(io::openProject(fifo).problems().kept().at(0).kind, FileProblemKind::NotRegularFile);
    const QString device = dir.filePath(u"null.csv"_qs);
    ASSERT_EQ(symlink("/dev/null", QFile::encodeName(device).constData()), 0);
    EXPECT_EQ(io::openProject(device).problems().kept().at(0).kind,
              FileProblemKind::NotRegularFile);
}

TEST(ProjectFile, UnreadableFileSaysWhy)
{
#ifdef Q_OS_LINUX
    // A regular file whose reading fails, for root too: the process's memory at address 0.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"memory.csv"_qs);
    ASSERT_EQ(symlink("/proc/self/mem", QFile::encodeName(path).constData()), 0);
    const io::ReadResult result = io::openProject(path);
    ASSERT_FALSE(result.isLoaded());
    ASSERT_EQ(result.problems().count(), 1);
    EXPECT_EQ(result.problems().kept()[0].kind, FileProblemKind::CannotRead);
    EXPECT_TRUE(result.message().startsWith(path + u": the file cannot be read: "_qs))
        << result.message().toStdString();
#else
    GTEST_SKIP() << "needs Linux's /proc";
#endif
}
#endif

TEST(ProjectFile, FailedSaveSaysWhereAndWhyAndLeavesNothing)
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath(u"file"_qs);
    put(blocker, "x");
    const QString path = blocker + u"/plan.csv"_qs; // a folder that is a file
    const io::ProblemList problems = io::saveProject(kProject, path);
    ASSERT_EQ(problems.count(), 1);
    EXPECT_EQ(problems.kept()[0].kind, FileProblemKind::CannotSave);
    EXPECT_FALSE(problems.kept()[0].value.isEmpty());
    EXPECT_TRUE(problems.message().startsWith(path + u": the file cannot be saved: "_qs))
        << problems.message().toStdString();
    EXPECT_EQ(contents(blocker), "x");

    EXPECT_EQ(io::saveProject(kProject, dir.filePath(u"plan.txt"_qs)).kept().at(0).kind,
              FileProblemKind::UnknownExtension);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList {u"file"_qs});
}

#ifdef Q_OS_UNIX
// A write that fails halfway (here: the process may write only 100 bytes to any file)
// must leave the old file as it was, even for root.
TEST(ProjectFile, WriteFailingHalfwayKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"plan.crashkit"_qs);
    put(path, "the old file");
    engine::Project large = kProject;
    for (int i = 0; i < 100; ++i)
        large.activities.push_back(
            {std::string("C").append(std::to_string(i)), "", {"A"}, 1, 1, 0});

    rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const io::ProblemList problems = io::saveProject(large, path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_EQ(problems.count(), 1);
    EXPECT_EQ(problems.kept()[0].kind, FileProblemKind::CannotSave);
    EXPECT_EQ(contents(path), "the old file");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList {u"plan.crashkit"_qs});
}

TEST(ProjectFile, UnwritableFolderKeepsTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into every folder";
    QTemporaryDir dir;
    const QString path = dir.filePath(u"plan.csv"_qs);
    put(path, "old");
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0500), 0);
    const io::ProblemList problems = io::saveProject(kProject, path);
    chmod(QFile::encodeName(dir.path()).constData(), 0700);
    ASSERT_EQ(problems.count(), 1);
    EXPECT_EQ(problems.kept()[0].kind, FileProblemKind::CannotSave);
    EXPECT_EQ(contents(path), "old");
}
#endif

TEST(ProjectFile, RefusesToSaveWhatWouldNotReadBack)
{
    engine::Project cyclic = kProject;
    cyclic.activities[0].predecessors = {"B"};
    cyclic.activities[1].name = "caf\xE9";
    QTemporaryDir dir;
    const QString path = dir.filePath(u"plan.crashkit"_qs);
    const io::ProblemList problems = io::saveProject(cyclic, path);
    const io::Problem *cycle = iotest::findEngineProblem(problems, engine::ProblemKind::Cycle);
    ASSERT_NE(cycle, nullptr) << problems.message().toStdString();
    EXPECT_EQ(cycle->place.field, u"predecessors");
    const io::Problem *text = iotest::findProblem(problems, FileProblemKind::TextNotUtf8);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->place.activity, u"B");
    EXPECT_EQ(text->place.field, u"name");
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
