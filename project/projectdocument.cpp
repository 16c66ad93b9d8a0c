// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "projectdocument.h"

#include "activitytablemodel.h"

#include <QUndoStack>

namespace project {

struct ProjectDocument::Private {
    QUndoStack *undoStack = nullptr;
    ActivityTableModel *table = nullptr;
    ProjectAnalysis analysis;
    std::optional<engine::Duration> target;
    QString filePath;
};

ProjectDocument::ProjectDocument(QObject *parent) : QObject(parent), d(new Private)
{
    d->undoStack = new QUndoStack(this);
    d->table = new ActivityTableModel(d->undoStack, this);
    d->table->resetRows(std::vector<ActivityRow>(10), {});
    d->analysis = analyseRows(d->table->rows(), d->table->title());
    d->table->setProblems(d->analysis.problems);

    connect(d->table, &ActivityTableModel::rowsEdited, this, [this] {
        d->analysis = analyseRows(d->table->rows(), d->table->title());
        d->analysis.project.target = d->target;
        d->table->setProblems(d->analysis.problems);
        emit analysisChanged();
    });
    connect(d->undoStack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

ProjectDocument::~ProjectDocument()
{
    delete d;
}

ActivityTableModel *ProjectDocument::table() const
{
    return d->table;
}

QUndoStack *ProjectDocument::undoStack() const
{
    return d->undoStack;
}

const ProjectAnalysis &ProjectDocument::analysis() const
{
    return d->analysis;
}

QString ProjectDocument::title() const
{
    return d->table->title();
}

std::optional<engine::Duration> ProjectDocument::target() const
{
    return d->target;
}

void ProjectDocument::setTarget(std::optional<engine::Duration> target)
{
    d->target = target;
    d->analysis.project.target = target;
}

QString ProjectDocument::filePath() const
{
    return d->filePath;
}

bool ProjectDocument::isModified() const
{
    return !d->undoStack->isClean();
}

void ProjectDocument::load(const engine::Project &project, const QString &filePath)
{
    // The history goes first: its commands refer to rows that are about to go.
    d->undoStack->clear();
    d->target = project.target;
    d->table->resetRows(rowsOfProject(project), textOf(project.title));
    markSaved(filePath);
}

void ProjectDocument::clear(int rows)
{
    d->undoStack->clear();
    d->target.reset();
    d->table->resetRows(std::vector<ActivityRow>(static_cast<std::size_t>(std::max(rows, 0))), {});
    markSaved({});
}

void ProjectDocument::markSaved(const QString &filePath)
{
    d->undoStack->setClean();
    if (filePath != d->filePath) {
        d->filePath = filePath;
        emit filePathChanged(d->filePath);
    }
}

} // namespace project
