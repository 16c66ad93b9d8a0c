// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "pert.h"
#include "projectanalysis.h"
#include "thaitext.h"

#include <QString>
#include <QWidget>

#include <optional>

class QChartView;
class QLabel;
class QLineEdit;

namespace project {

// A number typed into one of the panel's fields, or the Thai sentence saying why it is not
// one. Thai digits are read as 0 .. 9; blanks around it are ignored.
struct TypedNumber {
    std::optional<double> value;
    QString problem; // empty when value is set or the field is empty
};

// The day asked about: a number >= 0 (decimals allowed), at most the longest a project can
// take (kMaxActivities x kMaxDuration time units).
TypedNumber readPertDay(const QString &text);
// A confidence in percent: strictly between 0 and 100, decimals allowed.
TypedNumber readPertConfidence(const QString &text);

// PERT with three time estimates for the own project: the expected duration and standard
// deviation of the critical path of expected times, the path itself, how likely the project
// is finished by a day the student asks about, the day it is finished by with a confidence
// the student asks for, and the normal curve of the project duration with the chance up to
// the asked day shaded. Without estimates it says how to type them.
//
// Controls (objectName): pertDayEdit -> pertProbabilityLabel (percent, two decimals),
// pertConfidenceEdit -> pertDayLabel, pertChartView; labels pertMessageLabel,
// pertSummaryLabel, pertPathLabel, pertTieLabel.
class PertPanel : public QWidget {
    Q_OBJECT
public:
    explicit PertPanel(QWidget *parent = nullptr);

    // Shows the PERT figures of the analysis when it is sound, its links all plain
    // finish-to-start (engine::analysePert's textbook method needs them) and at least one
    // activity has estimates; otherwise a message saying what to do. Keeps no reference to
    // `analysis`.
    void showAnalysis(const ProjectAnalysis &analysis);

    // What is shown, for tests and the report: the PERT analysis (nothing while the panel
    // shows a message), the chance (0..1) of finishing by the asked day and the day for the
    // asked confidence (nothing while a field is empty or wrong).
    const std::optional<engine::PertAnalysis> &pert() const;
    std::optional<double> probability() const;
    std::optional<double> dayForConfidence() const;

private:
    void showMessage(const QString &message);
    void onDayEdited();
    void onConfidenceEdited();
    void redrawChart();

    std::optional<engine::PertAnalysis> m_pert;
    std::optional<double> m_day; // the asked day, when it reads
    std::optional<double> m_probability;
    std::optional<double> m_dayForConfidence;
    QString m_unitWord = thaiUnitWord(engine::TimeUnit::Day); // the project's time unit

    QLabel *m_message;
    QWidget *m_figures; // everything but the message
    QLabel *m_summary;
    QLabel *m_path;
    QLabel *m_tie;
    QLineEdit *m_dayEdit;
    QLabel *m_probabilityLabel;
    QLineEdit *m_confidenceEdit;
    QLabel *m_dayLabel;
    QChartView *m_chartView;
};

} // namespace project
