// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "modalwatchdog.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QMetaObject>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace testsupport {
namespace {

// Often enough that a stray window costs a test a tenth of a second, seldom enough that the
// look (one pointer and a walk over the top-level windows) costs nothing measurable.
constexpr int kLookInterval = 80;

// A window that keeps coming back would otherwise fill the log for ever.
constexpr int kMostFailures = 20;

std::vector<const ExpectModal *> &expectations()
{
    static std::vector<const ExpectModal *> instance;
    return instance;
}

long &looks()
{
    static long count = 0;
    return count;
}

bool expected(const QWidget *window)
{
    const auto &list = expectations();
    return std::any_of(list.begin(), list.end(), [window](const ExpectModal *expectation) {
        return expectation->covers(window);
    });
}

bool unexpectedModal(const QWidget *window)
{
    return window && window->isVisible() && window->windowModality() != Qt::NonModal
        && !expected(window);
}

// The topmost modal window is the one whose loop runs; the walk finds a modal window the
// toolkit does not count as active (one shown window-modal, or behind an expected one).
QWidget *unexpectedModalWindow()
{
    QWidget *active = QApplication::activeModalWidget();
    if (unexpectedModal(active))
        return active;
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto found = std::find_if(windows.begin(), windows.end(), unexpectedModal);
    return found == windows.end() ? nullptr : *found;
}

class ModalWatchdog : public QObject {
public:
    explicit ModalWatchdog(QObject *parent) : QObject(parent)
    {
        // Timers fire inside modal loops too, which is where a stray window keeps a test.
        m_timer.setInterval(kLookInterval);
        connect(&m_timer, &QTimer::timeout, this, &ModalWatchdog::look);
        m_timer.start();
    }

private:
    void look()
    {
        ++looks();
        QWidget *window = unexpectedModalWindow();
        if (!window)
            return;
        const QByteArray message
            = (QStringLiteral("unexpected modal window ") + describeModalWindow(window)).toUtf8();
        if (!QTest::currentTestFunction() || ++m_failures > kMostFailures)
            qFatal("%s", message.constData());
        QTest::qFail(message.constData(), __FILE__, __LINE__);
        // Closing ends the window's loop, so the code that opened it and the test go on.
        if (auto *dialog = qobject_cast<QDialog *>(window))
            dialog->reject();
        else
            window->close();
    }

    QTimer m_timer;
    int m_failures = 0;
};

void startModalWatchdog()
{
    // A program with a plain QCoreApplication or QGuiApplication has no widgets to watch.
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        new ModalWatchdog(QCoreApplication::instance());
}
Q_COREAPP_STARTUP_FUNCTION(startModalWatchdog)

} // namespace

ExpectModal::ExpectModal() : m_kind(nullptr)
{
    expectations().push_back(this);
}

ExpectModal::ExpectModal(const QMetaObject &kind) : m_kind(&kind)
{
    expectations().push_back(this);
}

ExpectModal::~ExpectModal()
{
    auto &list = expectations();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

bool ExpectModal::covers(const QWidget *window) const
{
    return !m_kind || window->metaObject()->inherits(m_kind);
}

QString describeModalWindow(const QWidget *window)
{
    QString description = QStringLiteral("%1 \"%2\" titled \"%3\"")
                              .arg(QString::fromLatin1(window->metaObject()->className()),
                                   window->objectName(), window->windowTitle());
    if (const auto *box = qobject_cast<const QMessageBox *>(window))
        description += QStringLiteral(": ") + box->text();
    return description;
}

long modalWatchdogLooks()
{
    return looks();
}

} // namespace testsupport
