// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The modal watchdog itself. The stray* functions open modal windows no test expects, as a
// window that bypasses the platform's hooks would; each must FAIL within moments, naming the
// window, instead of waiting for ctest's timeout (tests/CMakeLists.txt runs them apart and
// checks both). The expected* functions answer their own windows and must pass.

#include "modalwatchdog.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using testsupport::ExpectModal;

namespace {

constexpr long kLooksWanted = 3;

// Calls answer once the watchdog has looked kLooksWanted times from now, or after five seconds
// when it does not look at all (the test's check of the looks then fails).
void answerOnceWatched(QObject *window, std::function<void()> answer)
{
    auto *poll = new QTimer(window);
    const long start = testsupport::modalWatchdogLooks();
    QElapsedTimer waited;
    waited.start();
    QObject::connect(poll, &QTimer::timeout, window, [=] {
        if (testsupport::modalWatchdogLooks() < start + kLooksWanted && waited.elapsed() < 5000)
            return;
        poll->stop();
        answer();
    });
    poll->start(10);
}

} // namespace

class ModalWatchdogTest : public QObject {
    Q_OBJECT

private slots:
    void strayMessageBox()
    {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Stray box"),
                        QStringLiteral("nobody answers this"), QMessageBox::Ok);
        box.setObjectName(QStringLiteral("strayBox"));
        box.exec();
    }

    void strayFileDialog()
    {
        QFileDialog::getOpenFileName(nullptr, QStringLiteral("Stray file dialog"), QString(),
                                     QString(), nullptr, QFileDialog::DontUseNativeDialog);
    }

    void messageBoxWhileOnlyAFileDialogIsExpected()
    {
        const ExpectModal expect(QFileDialog::staticMetaObject);
        QMessageBox::question(nullptr, QStringLiteral("Unexpected question"),
                              QStringLiteral("a file dialog was expected"));
    }

    // The watchdog looks a few times while the box is open and leaves it to the test.
    void expectedMessageBoxIsLeftToTheTest()
    {
        const ExpectModal expect(QMessageBox::staticMetaObject);
        QMessageBox box(QMessageBox::Question, QStringLiteral("Expected"),
                        QStringLiteral("answered by the test"), QMessageBox::Yes | QMessageBox::No);
        const long looksBefore = testsupport::modalWatchdogLooks();
        answerOnceWatched(&box, [&box] { box.button(QMessageBox::No)->click(); });
        QCOMPARE(box.exec(), int(QMessageBox::No));
        QVERIFY2(testsupport::modalWatchdogLooks() >= looksBefore + kLooksWanted,
                 "the watchdog did not look while the box was open");
    }

    // A file dialog in an any-window scope, accepted with a file the test picks; scopes
    // nest, and the inner one going leaves the outer one in force.
    void expectedFileDialogIsLeftToTheTest()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const ExpectModal outer;
        {
            const ExpectModal inner(QMessageBox::staticMetaObject);
        }
        QFileDialog dialog(nullptr, QStringLiteral("Expected"), folder.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        const QString chosen = folder.filePath(QStringLiteral("chosen.crashkit"));
        const long looksBefore = testsupport::modalWatchdogLooks();
        answerOnceWatched(&dialog, [&dialog] {
            // As a user answers it: the name typed into the dialog's name box, then accept.
            auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!name) {
                dialog.reject();
                QFAIL("the file dialog has no name box");
            }
            name->setText(QStringLiteral("chosen.crashkit"));
            // The file dialog's own accept() is protected; it runs through QDialog's.
            static_cast<QDialog &>(dialog).accept();
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(dialog.selectedFiles(), QStringList {chosen});
        QVERIFY(testsupport::modalWatchdogLooks() >= looksBefore + kLooksWanted);
    }
};

QTEST_MAIN(ModalWatchdogTest)
#include "modalwatchdog_test.moc"
