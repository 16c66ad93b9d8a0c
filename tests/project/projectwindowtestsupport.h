// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

// What the tests of the own-project window share: answering its boxes and file dialogs,
// finding its controls, typing into its table and letting it settle.

#include "activitytablemodel.h"
#include "filechooser.h"
#include "messagebox.h"
#include "projectdocument.h"
#include "projectwindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QTest>

#include <QUndoStack>

#include <deque>
#include <memory>
#include <vector>

namespace projecttest {

// Answers the boxes a test expects, in order, and records them; any other box fails.
class Boxes {
public:
    Boxes()
    {
        platform::setMessageBoxAnswerer([this](const platform::MessageRecord &record) {
            shown.push_back(record);
            if (m_answers.empty()) {
                unexpected = true;
                QTest::qFail(qPrintable(QStringLiteral("unexpected box: ") + record.text), __FILE__,
                             __LINE__);
                return QMessageBox::Cancel;
            }
            const auto answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        });
    }
    ~Boxes() { platform::setMessageBoxAnswerer({}); }
    void expect(QMessageBox::StandardButton answer) { m_answers.push_back(answer); }
    bool allAnswered() const { return m_answers.empty(); }

    std::vector<platform::MessageRecord> shown;
    bool unexpected = false;

private:
    std::deque<QMessageBox::StandardButton> m_answers;
};

// Chooses the given paths for the next file dialogs; a dialog nobody expected fails.
class Files {
public:
    Files()
    {
        platform::setFileChooser([this](const platform::FileRequest &request) {
            requests.push_back(request);
            if (m_paths.empty()) {
                QTest::qFail("unexpected file dialog", __FILE__, __LINE__);
                return QString();
            }
            const QString path = m_paths.front();
            m_paths.pop_front();
            return path;
        });
    }
    ~Files() { platform::setFileChooser({}); }
    void choose(const QString &path) { m_paths.push_back(path); }

    std::vector<platform::FileRequest> requests;

private:
    std::deque<QString> m_paths;
};

template<typename T> T *find(QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no %s named %s", T::staticMetaObject.className(), name);
    return found;
}

inline QAction *action(ProjectWindow &window, const char *name)
{
    return find<QAction>(&window, name);
}

inline void type(ProjectWindow &window, int row, int column, const QString &text)
{
    project::ActivityTableModel *model = window.document()->table();
    QVERIFY(model->setData(model->index(row, column), text, Qt::EditRole));
}

// Lets the window analyse what was typed and finish its jobs, as it does between two key
// presses of a student. Not a measure of speed (the benchmarks are): the wait is long enough
// for a sanitizer build on a machine busy with other work.
inline void settle(ProjectWindow &window)
{
    QCoreApplication::processEvents();
    QTRY_VERIFY_WITH_TIMEOUT(!window.isBusy(), 60'000);
}

// Each test function's window, with its boxes and file dialogs answered: a test class calls
// openWindow in init() and closeWindow in cleanup().
inline void openWindow(std::unique_ptr<Boxes> &boxes, std::unique_ptr<Files> &files,
                       std::unique_ptr<ProjectWindow> &window)
{
    boxes = std::make_unique<Boxes>();
    files = std::make_unique<Files>();
    window = std::make_unique<ProjectWindow>();
    window->show();
}

inline void closeWindow(std::unique_ptr<Boxes> &boxes, std::unique_ptr<Files> &files,
                        std::unique_ptr<ProjectWindow> &window)
{
    // Close without a question: whatever the test left is thrown away.
    window->document()->undoStack()->setClean();
    window.reset();
    const bool answered = boxes->allAnswered();
    boxes.reset();
    files.reset();
    QVERIFY2(answered, "a box the test expected was not shown");
}

} // namespace projecttest
