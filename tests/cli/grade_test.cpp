// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// crashkit-cli grade run as a teacher runs it: the engine's own answers to practice set 1 get
// full marks, a wrong cell is found with its hints, --target replaces the answers' target,
// and a bad answers file or argument stops with exit status 2 and a placed message.

#include "answercheck.h"
#include "answersfile.h"
#include "network.h"
#include "practiceset.h"
#include "projectfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out, err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

Outcome runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(CRASHKIT_CLI), arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        ADD_FAILURE() << "crashkit-cli did not finish";
        process.kill();
        process.waitForFinished();
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class Grade : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_project = write(QStringLiteral("set1.csv"), io::write(setOne(), io::FileFormat::Csv));
    }
    static const engine::Project &setOne()
    {
        static const engine::Project project = practiceProject(practiceSet(1));
        return project;
    }
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString answersFile(const engine::Answers &answers)
    {
        return write(QStringLiteral("answers.json"), io::writeAnswers({answers, {}, {}}, setOne()));
    }
    static engine::Answers model() { return engine::modelAnswers(engine::Network(setOne()), 28); }
    QString m_project;

private:
    QTemporaryDir m_folder;
};

} // namespace

TEST_F(Grade, TheEnginesOwnAnswersGetFullMarks)
{
    const QString answers = answersFile(model());
    const Outcome json
        = runCli({QStringLiteral("grade"), m_project, answers, QStringLiteral("--json")});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject report = json.json();
    // 9 activities x 5 cells + the duration; 9 ticks + 1 path; 4 steps.
    EXPECT_EQ(report[QStringLiteral("total")].toInt(), 46 + 10 + 4);
    EXPECT_EQ(report[QStringLiteral("right")].toInt(), report[QStringLiteral("total")].toInt());
    const QJsonObject crashing = report[QStringLiteral("crashing")].toObject();
    EXPECT_EQ(crashing[QStringLiteral("student_total")].toDouble(), 725.0);
    EXPECT_TRUE(crashing[QStringLiteral("reached_target")].toBool());

    const Outcome text = runCli({QStringLiteral("grade"), m_project, answers});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.contains(QStringLiteral("ถูก 60 จาก 60")));
    EXPECT_FALSE(text.out.contains(QStringLiteral("คำใบ้")));
}

// ES of C typed as 8 (it is 7), with EF 17 worked from it: one cell wrong, one right from the
// student's own value, and both with three hints.
TEST_F(Grade, AWrongCellComesWithItsHints)
{
    engine::Answers answers = model();
    answers.schedule[2].earliestStart = 8;
    answers.schedule[2].earliestFinish = 17;
    const QString file = answersFile(answers);
    const Outcome json
        = runCli({QStringLiteral("grade"), m_project, file, QStringLiteral("--json")});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject report = json.json();
    EXPECT_EQ(report[QStringLiteral("right")].toInt(), report[QStringLiteral("total")].toInt() - 1);
    const QJsonArray cells = report[QStringLiteral("schedule")][QStringLiteral("cells")].toArray();
    const QJsonObject es = cells[10].toObject(), ef = cells[11].toObject();
    EXPECT_EQ(es[QStringLiteral("activity")].toString(), QStringLiteral("C"));
    EXPECT_EQ(es[QStringLiteral("verdict")].toString(), QStringLiteral("wrong"));
    EXPECT_EQ(ef[QStringLiteral("verdict")].toString(), QStringLiteral("right_from_own"));
    EXPECT_EQ(ef[QStringLiteral("from_own")].toInt(), 17);

    const Outcome text = runCli({QStringLiteral("grade"), m_project, file});
    ASSERT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.contains(QStringLiteral("ES ของ C: ตอบ 8, ค่าที่ถูก 7")));
    EXPECT_EQ(text.out.count(QStringLiteral("คำใบ้ 3")), 2);
}

// --target replaces the answers' own: at 30 days the last two steps come after the target.
TEST_F(Grade, TargetOnTheCommandLine)
{
    const QString file = answersFile(model());
    const Outcome run = runCli({QStringLiteral("grade"), m_project, file, QStringLiteral("--json"),
                                QStringLiteral("--target"), QStringLiteral("30")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject crashing = run.json()[QStringLiteral("crashing")].toObject();
    EXPECT_EQ(crashing[QStringLiteral("target")][QStringLiteral("given")].toInt(), 30);
    const QJsonArray steps = crashing[QStringLiteral("steps")].toArray();
    ASSERT_EQ(steps.size(), 4);
    EXPECT_EQ(steps[2][QStringLiteral("problem")].toString(), QStringLiteral("after_target"));
    EXPECT_EQ(crashing[QStringLiteral("right")].toInt(), 2);
}

TEST_F(Grade, BadFilesAndArgumentsSayWhereAndWhat)
{
    const QString unknown
        = write(QStringLiteral("unknown.json"), R"({"schedule": [{"activity": "Q", "es": 0}]})");
    const QString broken = write(QStringLiteral("broken.json"), "{\n  \"target\": 28,\n  [\n");
    const QString answers = answersFile(model());
    const struct {
        QStringList arguments;
        QString says;
    } cases[] = {
        {{m_project, unknown},
         unknown + QStringLiteral(": schedule[1].activity: 'Q' is not an activity of the project")},
        {{m_project, broken}, broken + QStringLiteral(":3:")},
        {{m_project, QStringLiteral("gone.json")},
         QStringLiteral("gone.json: there is no such file")},
        {{m_project}, QStringLiteral("'grade' takes a project file and an answers file")},
        {{m_project, answers, QStringLiteral("--target"), QStringLiteral("26")},
         QStringLiteral("--target 26 is outside")},
        {{m_project, answers, QStringLiteral("--method"), QStringLiteral("greedy")},
         QStringLiteral("--method does not belong to the command 'grade'")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Outcome run = runCli(QStringList {QStringLiteral("grade")} + c.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
    }
}
