// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// A copy of the program built without the own-project window (no Qt Charts or Qt SVG, as the
// Windows cross build where those sources cannot be had) keeps the menu item; choosing it, or
// opening a file from the command line, says plainly that the window is missing, and nothing
// else changes.

#include "guitestsupport.h"

#include "forms.h"
#include "tform1.h"

#include <QAction>

class WithoutProjectWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { guitest::startProgram(); }
    void cleanupTestCase() { destroyForms(); }

    void theMenuItemSaysTheWindowIsMissing()
    {
        guitest::BoxRecorder boxes;
        guitest::child<QAction>(Form1, "MyProject")->trigger();
        QCOMPARE(boxes.shown.size(), std::size_t {1});
        QCOMPARE(boxes.shown[0].record.type, platform::MessageType::Error);
        QVERIFY2(boxes.shown[0].record.text.contains(u"built without the window"),
                 qPrintable(boxes.shown[0].record.text));
        QCOMPARE(projectWindow(), nullptr);
        QVERIFY(projectWindowMayClose());
    }

    void openingAFileSaysSoAndOpensNothing()
    {
        guitest::BoxRecorder boxes;
        QVERIFY(!openInProjectWindow(QStringLiteral("plan.crashkit")));
        QCOMPARE(boxes.shown.size(), std::size_t {1});
        QCOMPARE(boxes.shown[0].record.type, platform::MessageType::Error);
    }
};

QTEST_MAIN(WithoutProjectWindowTest)

#include "withoutprojectwindow_test.moc"
