// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

// What a student sees while a crashing run goes on, answering the program's real modal
// message boxes as they come.

#include "canvas.h"
#include "guitestsupport.h"
#include "modalwatchdog.h"

#include <QAbstractButton>
#include <QImage>
#include <QMessageBox>
#include <QTimer>

namespace guitest {

// A grid column's data cells as shown, the set's activities by default.
inline QStringList gridColumn(ExerciseWindow *window, int column, int rows = -1)
{
    if (rows < 0)
        rows = window->activityCount();
    const auto *grid = child<QTableWidget>(window, "StringGrid1");
    QStringList cells;
    for (int row = 1; row <= rows; ++row) {
        const QTableWidgetItem *item = grid->item(row, column);
        cells << (item ? item->text() : QString());
    }
    return cells;
}

// The activities' rows as the grid shows them, cells without their indent.
inline std::vector<ActivityRow> gridRows(ExerciseWindow *window)
{
    std::vector<QStringList> columns;
    for (int column = 0; column < 5; ++column)
        columns.push_back(gridColumn(window, column));
    std::vector<ActivityRow> rows;
    for (qsizetype k = 0; k < columns[0].size(); ++k) {
        rows.push_back({columns[0][k].trimmed(), columns[1][k].trimmed(), columns[2][k].trimmed(),
                        columns[3][k].trimmed(), columns[4][k].trimmed()});
    }
    return rows;
}

inline const QImage &picture(ExerciseWindow *window)
{
    return child<platform::PaintBox>(window, "PaintBox1")->canvas().image();
}

// What a message box said and what the window behind it showed at that moment.
struct Moment {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    int pathLines = 0; // ListBox1
    int selectionLines = 0; // ListBox2
    QStringList durations; // the grid's NormalDuration column as shown
    QString edit29;
    QString label53;
    QString label51;
    QImage picture;
};

// Polls for the application's modal box every few milliseconds while a run goes on, and
// answers it with OK (or its default button) after taking note of everything in sight.
// While it lives the program's boxes run for real, as real modal loops, and the modal
// watchdog leaves message boxes to it (any other modal window still fails); going, it puts
// failOnUnexpectedBoxes() back.
class Student {
public:
    explicit Student(ExerciseWindow *window) : m_window(window)
    {
        platform::setMessageBoxAnswerer({});
        m_timer.setInterval(3);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { look(); });
        m_timer.start();
    }
    ~Student() { failOnUnexpectedBoxes(); }
    Student(const Student &) = delete;
    Student &operator=(const Student &) = delete;

    std::vector<Moment> moments;

private:
    void look()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        // A run that never ends would otherwise keep the test waiting for ever.
        if (moments.size() > 100)
            qFatal("the program keeps showing message boxes");
        Moment seen;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.pathLines = child<QListWidget>(m_window, "ListBox1")->count();
        seen.selectionLines = child<QListWidget>(m_window, "ListBox2")->count();
        seen.durations = gridColumn(m_window, 2, m_window->activityCount());
        seen.edit29 = text(m_window, "Edit29");
        seen.label53 = text(m_window, "Label53");
        seen.label51 = text(m_window, "Label51");
        seen.picture = picture(m_window);
        moments.push_back(seen);
        QAbstractButton *answer = box->button(QMessageBox::Ok);
        if (!answer)
            answer = box->defaultButton() ? box->defaultButton() : box->buttons().value(0);
        answer->click();
    }

    ExerciseWindow *m_window;
    testsupport::ExpectModal m_expectBoxes {QMessageBox::staticMetaObject};
    QTimer m_timer;
};

} // namespace guitest
