// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "exercisewindow.h"
#include "forms.h"
#include "messagebox.h"
#include "referencemodel.h"
#include "tform1.h"
#include "tforms.h"
#include "windowmanagement.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyleFactory>
#include <QTableWidget>
#include <QWidget>
#include <QtTest>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace guitest {

// Message boxes. The program shows every box through platform::showMessage(), which hands
// it to an installed answerer instead of running it. Each test program installs
// failOnUnexpectedBoxes() before it creates a window: a box that no test expects then
// fails the running test function at once, naming the box's caption and text, and is
// answered (Yes where offered, else OK) so that the program goes on and the test function
// ends instead of waiting for a modal loop that nobody closes. A test that expects boxes
// answers them with a BoxRecorder (or, for real modal boxes, a Student); both put the
// failing answerer back when they go. A modal window opened past these hooks is caught by
// the modal watchdog (modalwatchdog.h), which every GUI test program links.

// Answers a box nobody expected: the running test function fails with the box's caption
// and text; outside a test function (a fuzz driver, initialisation) the program ends.
inline QMessageBox::StandardButton answerUnexpectedBox(const platform::MessageRecord &record)
{
    const QByteArray message = QStringLiteral("unexpected message box \"%1\": %2")
                                   .arg(record.caption, record.text)
                                   .toUtf8();
    // A program that keeps showing boxes would otherwise fill the log for ever.
    static int unexpected = 0;
    if (!QTest::currentTestFunction() || ++unexpected > 20)
        qFatal("%s", message.constData());
    QTest::qFail(message.constData(), __FILE__, __LINE__);
    return record.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
}

inline void failOnUnexpectedBoxes()
{
    platform::setMessageBoxAnswerer(answerUnexpectedBox);
}

// The application as the program sets it up, before any window: the program's style, no
// quitting when a window closes, and failOnUnexpectedBoxes().
inline void prepareApplication()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
    failOnUnexpectedBoxes();
}

// Creates the seven windows as the program does, after prepareApplication().
inline void startProgram()
{
    prepareApplication();
    createForms();
}

// A control the test needs is missing.
class MissingControl : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// The parent's descendant of type T with the given objectName. A missing control ends the
// test function at once: the failure names the control, its type and its parent, and a
// MissingControl exception leaves the function. Qt Test 6.4 reports an exception that
// leaves a test function ("Caught unhandled exception") and then ends the whole test
// program with it, so the log shows the named failure as the last thing the program did
// and ctest counts the program as failed. Outside a test function (a fuzz driver) only the
// exception is thrown; its message names the control as well.
template<typename T> T *child(QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    if (!found) {
        const std::string message = std::string("no control ") + name + " of type "
            + T::staticMetaObject.className() + " in " + parent->metaObject()->className() + " '"
            + parent->objectName().toStdString() + "'";
        if (QTest::currentTestFunction())
            QTest::qFail(message.c_str(), __FILE__, __LINE__);
        throw MissingControl(message);
    }
    return found;
}

// The exercise window of practice set 1..5.
inline ExerciseWindow *exerciseForm(int set)
{
    ExerciseWindow *windows[] = {Form3, Form4, Form5, Form6, Form7};
    return windows[set - 1];
}

// Hides the window and shows it again, as closing it and choosing it in the menu does.
inline ExerciseWindow *reopen(ExerciseWindow *window)
{
    window->hide();
    platform::showModeless(window);
    return window;
}

inline void addSets()
{
    QTest::addColumn<int>("set");
    for (int set = 1; set <= 5; ++set)
        QTest::newRow(qPrintable(QStringLiteral("set %1").arg(set))) << set;
}

inline void click(QWidget *window, const char *button)
{
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

inline void build(ExerciseWindow *window)
{
    click(window, "BitBtn5");
}

inline void start(ExerciseWindow *window, const QString &target)
{
    child<QLineEdit>(window, "Edit28")->setText(target);
    click(window, "BitBtn4");
}

// Opens the edit panel, types the texts into the named edit boxes and saves.
inline void saveEdits(ExerciseWindow *window,
                      std::initializer_list<std::pair<const char *, QString>> texts)
{
    click(window, "BitBtn1");
    for (const auto &[edit, text] : texts)
        child<QLineEdit>(window, edit)->setText(text);
    click(window, "BitBtn3");
}

inline QStringList lines(QWidget *window, const char *listBox)
{
    QStringList result;
    const auto *list = child<QListWidget>(window, listBox);
    for (int i = 0; i < list->count(); ++i)
        result << list->item(i)->text();
    return result;
}

// The text of an edit box or a label.
inline QString text(QWidget *window, const char *name)
{
    if (auto *edit = window->findChild<QLineEdit *>(QString::fromLatin1(name)))
        return edit->text();
    return child<QLabel>(window, name)->text();
}

// The normal durations the grid shows, blank-separated, without the cells' indent.
inline QString gridDurations(ExerciseWindow *window)
{
    const auto *grid = child<QTableWidget>(window, "StringGrid1");
    QStringList durations;
    for (int k = 1; k <= window->activityCount(); ++k)
        durations << grid->item(k, 2)->text().trimmed();
    return durations.join(u' ');
}

// The working rows of the window's activities, A first.
inline std::vector<ActivityRow> workingRows(const ExerciseWindow &window)
{
    std::vector<ActivityRow> rows;
    for (int k = 1; k <= window.activityCount(); ++k)
        rows.push_back(window.activityTable().working(k));
    return rows;
}

// The real project duration: the longest route through the network that the working
// rows' Predecessor letters describe, independent of the set's list of paths; -1 when a
// normal duration is not a number.
inline int longestRoute(const ExerciseWindow *window)
{
    const auto longest = testsupport::longestRoute(workingRows(*window));
    return longest ? static_cast<int>(*longest) : -1;
}

// A box as it was shown, with the cost total the student saw behind it (empty when the
// recorder watches no exercise window).
struct Shown {
    platform::MessageRecord record;
    QString label51;
};

// Expects message boxes while it lives: answers every box, Yes where offered and the
// given answer (OK by default) otherwise, and keeps what each showed together with the
// exercise window's cost total at that moment. A run that shows more than 500 boxes
// never ends and ends the program. Going, it puts failOnUnexpectedBoxes() back.
class BoxRecorder {
public:
    explicit BoxRecorder(QMessageBox::StandardButton answer = QMessageBox::Ok)
        : BoxRecorder(nullptr, answer)
    {
    }
    explicit BoxRecorder(ExerciseWindow *window,
                         QMessageBox::StandardButton answer = QMessageBox::Ok)
        : m_label51(window ? child<QLabel>(window, "Label51") : nullptr)
    {
        platform::setMessageBoxAnswerer([this, answer](const platform::MessageRecord &record) {
            if (shown.size() > 500)
                qFatal("a crashing run does not end");
            shown.push_back({record, m_label51 ? m_label51->text() : QString()});
            return answer == QMessageBox::Ok && record.buttons.testFlag(QMessageBox::Yes)
                ? QMessageBox::Yes
                : answer;
        });
    }
    ~BoxRecorder() { failOnUnexpectedBoxes(); }
    BoxRecorder(const BoxRecorder &) = delete;
    BoxRecorder &operator=(const BoxRecorder &) = delete;

    std::vector<Shown> shown;

private:
    QLabel *m_label51;
};

} // namespace guitest
