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
// goes through. The analysis follows every change.
class ProjectDocument : public QObject {
    Q_OBJECT
public:
    explicit ProjectDocument(QObject *parent = nullptr);
    ~ProjectDocument() override;

    ActivityTableModel *table() const;
    QUndoStack *undoStack() const;

    // The analysis of the rows as they are now; recomputed after every change, before
    // analysisChanged() is emitted.
    const ProjectAnalysis &analysis() const;

    QString title() const;
    // The target duration kept with the file (not an undoable edit).
    std::optional<engine::Duration> target() const;
    void setTarget(std::optional<engine::Duration> target);

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

signals:
    void analysisChanged();
    void modifiedChanged(bool modified);
    void filePathChanged(const QString &filePath);

private:
    struct Private;
    Private *d;
};

} // namespace project
