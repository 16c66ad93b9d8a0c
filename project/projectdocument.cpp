// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "projectdocument.h"

#include "activitytablemodel.h"

#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>

namespace project {

namespace {

// Consecutive target edits (each click of the spin box's arrows) merge into one undo step.
constexpr int kTargetCommandId = 0x7a67;

class TargetCommand : public QUndoCommand {
public:
    using Apply = std::function<void(std::optional<engine::Duration>)>;
    TargetCommand(std::optional<engine::Duration> from, std::optional<engine::Duration> to,
                  Apply apply)
        : m_from(from), m_to(to), m_apply(std::move(apply))
    {
        setText(QStringLiteral("แก้ระยะเวลาเป้าหมาย"));
    }
    void redo() override { m_apply(m_to); }
    void undo() override { m_apply(m_from); }
    int id() const override { return kTargetCommandId; }
    bool mergeWith(const QUndoCommand *other) override
    {
        m_to = static_cast<const TargetCommand *>(other)->m_to;
        // Back where it started: no step to undo at all.
        setObsolete(m_to == m_from);
        return true;
    }

private:
    std::optional<engine::Duration> m_from, m_to;
    Apply m_apply;
};

// A change of the time unit, from one unit to another.
class TimeUnitCommand : public QUndoCommand {
public:
    TimeUnitCommand(engine::TimeUnit from, engine::TimeUnit to,
                    std::function<void(engine::TimeUnit)> apply)
        : m_from(from), m_to(to), m_apply(std::move(apply))
    {
        setText(QStringLiteral("เปลี่ยนหน่วยเวลา"));
    }
    void redo() override { m_apply(m_to); }
    void undo() override { m_apply(m_from); }

private:
    engine::TimeUnit m_from, m_to;
    std::function<void(engine::TimeUnit)> m_apply;
};

} // namespace

struct ProjectDocument::Private {
    QUndoStack *undoStack = nullptr;
    ActivityTableModel *table = nullptr;
    QTimer announce; // runs once after the edits of one pass of the event loop
    mutable AnalysisSnapshot analysis;
    mutable bool outOfDate = true;
    mutable int analyses = 0;
    std::optional<engine::Duration> target;
    engine::TimeUnit timeUnit = engine::TimeUnit::Day;
    QString filePath;
};

ProjectDocument::ProjectDocument(QObject *parent) : QObject(parent), d(new Private)
{
    d->undoStack = new QUndoStack(this);
    d->table = new ActivityTableModel(d->undoStack, this);
    d->announce.setSingleShot(true);
    d->announce.setInterval(0);
    connect(&d->announce, &QTimer::timeout, this, [this] {
        analyseNow();
        emit analysisChanged();
    });
    d->table->resetRows(std::vector<ActivityRow>(10), {});
    analyseNow();
    d->announce.stop();

    connect(d->table, &ActivityTableModel::rowsEdited, this, &ProjectDocument::markOutOfDate);
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

void ProjectDocument::markOutOfDate()
{
    d->outOfDate = true;
    if (!d->announce.isActive())
        d->announce.start();
}

void ProjectDocument::analyseNow() const
{
    if (!d->outOfDate)
        return;
    auto analysis
        = std::make_shared<ProjectAnalysis>(analyseRows(d->table->rows(), d->table->title()));
    analysis->project.target = d->target;
    analysis->project.timeUnit = d->timeUnit;
    d->table->setProblems(analysis->problems);
    d->analysis = std::move(analysis);
    d->outOfDate = false;
    ++d->analyses;
}

const ProjectAnalysis &ProjectDocument::analysis() const
{
    analyseNow();
    return *d->analysis;
}

AnalysisSnapshot ProjectDocument::snapshot() const
{
    analyseNow();
    return d->analysis;
}

int ProjectDocument::analysisCount() const
{
    return d->analyses;
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
    if (target == d->target)
        return;
    d->undoStack->push(new TargetCommand(
        d->target, target, [this](std::optional<engine::Duration> to) { applyTarget(to); }));
}

void ProjectDocument::applyTarget(std::optional<engine::Duration> target)
{
    if (target == d->target)
        return;
    d->target = target;
    // The analysis carries the target for saving; the rest of it does not depend on it.
    if (d->analysis && !d->outOfDate) {
        auto analysis = std::make_shared<ProjectAnalysis>(*d->analysis);
        analysis->project.target = target;
        d->analysis = std::move(analysis);
    }
    emit targetChanged(target);
}

engine::TimeUnit ProjectDocument::timeUnit() const
{
    return d->timeUnit;
}

void ProjectDocument::setTimeUnit(engine::TimeUnit unit)
{
    if (unit == d->timeUnit)
        return;
    d->undoStack->push(
        new TimeUnitCommand(d->timeUnit, unit, [this](engine::TimeUnit to) { applyTimeUnit(to); }));
}

void ProjectDocument::applyTimeUnit(engine::TimeUnit unit)
{
    if (unit == d->timeUnit)
        return;
    d->timeUnit = unit;
    // Every part words its numbers with the unit: a new analysis, shown as an edit's is.
    markOutOfDate();
    emit timeUnitChanged(unit);
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
    applyTarget(project.target);
    applyTimeUnit(project.timeUnit);
    d->table->resetRows(rowsOfProject(project), textOf(project.title));
    markSaved(filePath);
}

void ProjectDocument::clear(int rows)
{
    d->undoStack->clear();
    applyTarget(std::nullopt);
    applyTimeUnit(engine::TimeUnit::Day);
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

void ProjectDocument::forgetFilePath()
{
    if (d->filePath.isEmpty())
        return;
    d->filePath.clear();
    emit filePathChanged(d->filePath);
}

} // namespace project
