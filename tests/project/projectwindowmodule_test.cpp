// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The program reaches the own-project window through a module it loads on first use: until
// then the libraries only that window needs (Qt Charts) are not in the process.

#include "forms.h"
#include "messagebox.h"
#include "tform1.h"

#include <QFile>
#include <QMainWindow>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

// Whether a shared library whose file name contains `name` is mapped into this process
// (Linux: /proc/self/maps; elsewhere unknown).
std::optional<bool> isLoaded(const char *name)
{
#ifdef Q_OS_LINUX
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return std::nullopt;
    return maps.readAll().contains(name);
#else
    Q_UNUSED(name);
    return std::nullopt;
#endif
}

} // namespace

class ProjectWindowModuleTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowComesFromTheModuleOnFirstUse()
    {
        QStandardPaths::setTestModeEnabled(true);
        platform::setMessageBoxAnswerer([](const platform::MessageRecord &record) {
            QTest::qFail(qPrintable(QStringLiteral("unexpected box: ") + record.text), __FILE__,
                         __LINE__);
            return QMessageBox::Ok;
        });
        createForms();
        Form1->show();
        if (const auto loaded = isLoaded("libQt6Charts"))
            QVERIFY2(!*loaded, "Qt Charts is loaded before the window is opened");

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("plan.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("activity,predecessors,normal_duration,crash_duration,crash_cost_per_unit\n"
                   "A,-,4,2,50\nB,A,3,3,0\n");
        file.close();
        QVERIFY(openInProjectWindow(path));
        QMainWindow *window = projectWindow();
        QVERIFY(window);
        QCOMPARE(window->objectName(), QStringLiteral("ProjectWindow"));
        QVERIFY(window->isVisible());
        QVERIFY(window->windowTitle().contains(QStringLiteral("plan.csv")));
        if (const auto loaded = isLoaded("libQt6Charts"))
            QVERIFY(*loaded);
        QVERIFY(projectWindowMayClose()); // nothing typed: no question
        destroyForms();
        platform::setMessageBoxAnswerer({});
    }
};

QTEST_MAIN(ProjectWindowModuleTest)
#include "projectwindowmodule_test.moc"
