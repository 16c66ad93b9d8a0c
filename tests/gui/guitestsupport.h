// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "exercisewindow.h"
#include "forms.h"
#include "messagebox.h"
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

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

namespace guitest {

// Creates the seven windows as the program does, with the program's style.
inline void startProgram()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
    createForms();
}

template<typename T> T *child(QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qWarning("no child %s of type %s", name, T::staticMetaObject.className());
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

// The real project duration: the longest route through the network that the working
// rows' Predecessor letters describe, independent of the set's list of paths.
inline int longestRoute(const ExerciseWindow *window)
{
    const ActivityTable &table = window->activityTable();
    const int count = window->activityCount();
    std::vector<int> finish(static_cast<std::size_t>(count + 1), -1);
    std::function<int(int)> finishOf = [&](int k) {
        int &done = finish[static_cast<std::size_t>(k)];
        if (done < 0) {
            int earliestStart = 0;
            for (const QChar c : table.working(k).predecessor) {
                if (c >= u'A' && c <= u'Z')
                    earliestStart = std::max(earliestStart, finishOf(c.unicode() - u'A' + 1));
            }
            done = earliestStart + table.working(k).normalDuration.toInt();
        }
        return done;
    };
    int longest = 0;
    for (int k = 1; k <= count; ++k)
        longest = std::max(longest, finishOf(k));
    return longest;
}

// Answers every message box the program shows and keeps what it showed.
class BoxRecorder {
public:
    explicit BoxRecorder(QMessageBox::StandardButton answer = QMessageBox::Ok)
    {
        platform::setMessageBoxAnswerer([this, answer](const platform::MessageRecord &record) {
            boxes.push_back(record);
            return answer == QMessageBox::Ok && record.buttons.testFlag(QMessageBox::Yes)
                ? QMessageBox::Yes
                : answer;
        });
    }
    ~BoxRecorder() { platform::setMessageBoxAnswerer({}); }
    BoxRecorder(const BoxRecorder &) = delete;
    BoxRecorder &operator=(const BoxRecorder &) = delete;

    std::vector<platform::MessageRecord> boxes;
};

// A box as it was shown, with the cost total the student saw behind it.
struct Shown {
    platform::MessageRecord record;
    QString label51;
};

// Answers every box (Yes where offered, else OK) and keeps what it showed together with
// the window's cost total at that moment.
class Boxes {
public:
    explicit Boxes(ExerciseWindow *window) : m_label51(child<QLabel>(window, "Label51"))
    {
        platform::setMessageBoxAnswerer([this](const platform::MessageRecord &record) {
            // A run that never ends would otherwise keep the test busy for ever.
            if (shown.size() > 500)
                qFatal("a crashing run does not end");
            shown.push_back({record, m_label51->text()});
            return record.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        });
    }
    ~Boxes() { platform::setMessageBoxAnswerer({}); }
    Boxes(const Boxes &) = delete;
    Boxes &operator=(const Boxes &) = delete;

    std::vector<Shown> shown;

private:
    QLabel *m_label51;
};

} // namespace guitest
