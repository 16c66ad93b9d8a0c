// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The ways into the own-project window: the main menu's last practice item and a file
// handed to the program.

#include "forms.h"
#include "messagebox.h"
#include "projectdocument.h"
#include "projectfile.h"
#include "projectwindow.h"
#include "projectwindowentry.h"
#include "tform1.h"
#include "trainerentry.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class ProjectWindowEntryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        useLinkedProjectWindow(linkedProjectWindow());
        useLinkedTrainerWindow(linkedTrainerWindow());
    }

    void init()
    {
        platform::setMessageBoxAnswerer([](const platform::MessageRecord &record) {
            QTest::qFail(qPrintable(QStringLiteral("unexpected box: ") + record.text), __FILE__,
                         __LINE__);
            return QMessageBox::Cancel;
        });
        createForms();
        Form1->show();
    }

    void cleanup()
    {
        destroyForms();
        platform::setMessageBoxAnswerer({});
    }

    void lastItemOfThePracticeMenuOpensTheWindow()
    {
        auto *sets = Form1->findChild<QMenu *>(QStringLiteral("N11Menu"));
        QVERIFY(sets);
        const QList<QAction *> items = sets->actions();
        QVERIFY(items.size() >= 4);
        // After set 5, behind a separator, and "ฝึกทำเอง" right after it.
        QAction *mine = items[items.size() - 2];
        QCOMPARE(mine->objectName(), QStringLiteral("MyProject"));
        QCOMPARE(mine->text(), QStringLiteral("โครงการของฉัน"));
        QVERIFY(items[items.size() - 3]->isSeparator());
        QCOMPARE(items[items.size() - 4]->objectName(), QStringLiteral("N51"));
        QCOMPARE(items.last()->objectName(), QStringLiteral("Trainer"));
        QCOMPARE(items.last()->text(), QStringLiteral("ฝึกทำเอง"));

        mine->trigger();
        auto *window = qobject_cast<ProjectWindow *>(projectWindow());
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->objectName(), QStringLiteral("ProjectWindow"));
        QVERIFY(!window->isModal());
        // The same window comes to the front again, not a second one.
        mine->trigger();
        QCOMPARE(projectWindow(), static_cast<QMainWindow *>(window));

        items.last()->trigger();
        QMainWindow *trainer = trainerWindow();
        QVERIFY(trainer);
        QVERIFY(trainer->isVisible());
        QCOMPARE(trainer->objectName(), QStringLiteral("TrainerWindow"));
    }

    void aFileGivenToTheProgramOpensInTheWindow()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("given.csv"));
        engine::Project project;
        project.activities = {{"A", "", {}, 4, 2, 5000}, {"B", "", {"A"}, 3, 3, 0}};
        QVERIFY(io::saveProject(project, path).isEmpty());

        QVERIFY(openInProjectWindow(path));
        auto *window = qobject_cast<ProjectWindow *>(projectWindow());
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->document()->analysis().project.activities.size(), std::size_t {2});
        QCOMPARE(window->document()->analysis().schedule.projectDuration, engine::Duration {7});
    }
};

QTEST_MAIN(ProjectWindowEntryTest)
#include "projectwindowentry_test.moc"
