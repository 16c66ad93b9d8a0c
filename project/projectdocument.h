// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "projectanalysis.h"

#include <QObject>
#include <QString>

#include <optional>

class QUndoStack;

namespace project {

class ActivityTableModel;

// One open project of the project window: the activity table as typed (a model for a
// QTableView), its title and target, the file it came from, and the undo stack every edit
// goes through. The analysis follows the changes: every edit marks it out of date, and it is
// made again once for all the edits of one pass of the event loop (or at once when asked
// for), so that removing 200 rows costs one analysis, not 200.
class ProjectDocument : public QObject {
    Q_OBJECT
public:
    explicit ProjectDocument(QObject *parent = nullptr);
    ~ProjectDocument() override;

    ActivityTableModel *table() const;
    QUndoStack *undoStack() const;

    // The analysis of the rows as they are now (made at once if an edit left it out of date).
    const ProjectAnalysis &analysis() const;
    // The same as an immutable snapshot, for work on other threads: it stays as it is when
    // the next edit makes a new analysis.
    AnalysisSnapshot snapshot() const;
    // How many analyses were made since the document was created (for tests and benchmarks).
    int analysisCount() const;

    QString title() const;
    // The target duration kept with the file; none when the project has none.
    std::optional<engine::Duration> target() const;
    // Changes the target as one undoable edit; a target equal to the present one is no change.
    // Consecutive target edits merge into one step to undo.
    void setTarget(std::optional<engine::Duration> target);

    // The unit every duration of the project counts in (days unless the file says otherwise).
    engine::TimeUnit timeUnit() const;
    // Changes the unit as one undoable edit: the numbers stay as they are, only what they
    // count changes (nothing converts). The same unit is no change.
    void setTimeUnit(engine::TimeUnit unit);

    // The file the project was opened from or last saved to; empty for a new project.
    QString filePath() const;
    // True when an edit was made since the project was opened, created or saved.
    bool isModified() const;

    // Replaces everything with the project (rows, title, target), forgets the undo
    // history and becomes unmodified; filePath empty for a project that has no file yet
    // (a new one or a practice set).
    void load(const engine::Project &project, const QString &filePath);
    // An empty project with `rows` blank rows to type into.
    void clear(int rows = 10);
    // After a successful save to `filePath`: remembers the path, becomes unmodified.
    void markSaved(const QString &filePath);
    // Forgets the file without touching the rows (a file that can only be imported, never
    // saved to): the next save asks where.
    void forgetFilePath();

signals:
    // After a new analysis was made; one signal for all the edits of one pass of the event
    // loop.
    void analysisChanged();
    void modifiedChanged(bool modified);
    void filePathChanged(const QString &filePath);
    // After the target changed (an edit, undo, redo, load or clear).
    void targetChanged(std::optional<engine::Duration> target);
    // After the time unit changed (an edit, undo, redo, load or clear); a new analysis
    // carrying it follows.
    void timeUnitChanged(engine::TimeUnit unit);

private:
    void markOutOfDate();
    void analyseNow() const;
    void applyTarget(std::optional<engine::Duration> target);
    void applyTimeUnit(engine::TimeUnit unit);

    struct Private;
    Private *d;
};

} // namespace project
