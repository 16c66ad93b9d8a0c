// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QDate>
#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;

namespace project {

// Which plan goes to Microsoft Project: the normal one, or crashed to the target.
enum class ExportedPlan { Normal, Greedy, LeastCost };

// "ส่งออกแผนไปยัง Microsoft Project": the plan to write and the day the project starts
// (today unless changed). The crashed plans are offered only when the target can be reached.
class PlanExportDialog : public QDialog {
    Q_OBJECT
public:
    // `target` names the target in the choices; none: only the normal plan can be chosen.
    PlanExportDialog(const QString &target, QWidget *parent = nullptr);

    // The project's unit word for the note on durations, and whether the textbook's greedy
    // applies (plain finish-to-start links); without it its plan cannot be chosen.
    void describeProject(const QString &unitWord, bool greedyApplies);

    ExportedPlan plan() const;
    void setPlan(ExportedPlan plan);
    QDate startDate() const;
    void setStartDate(QDate date);

private:
    QComboBox *m_plan = nullptr;
    QDateEdit *m_start = nullptr;
    QLabel *m_hint = nullptr;
};

} // namespace project
