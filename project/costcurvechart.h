// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "projectanalysis.h"
#include "timecostcurve.h"

#include <QWidget>

#include <optional>
#include <vector>

class QChart;
class QChartView;
class QLabel;
class QLineEdit;
class QPainter;

namespace project {

class BackgroundJob;

// The time-cost curve (Qt Charts): the exact least extra cost at every whole duration from
// the normal one down to the shortest, the greedy rule's totals at the durations of its
// steps (run to the shortest duration) as points on it, and, when an indirect cost per time
// unit is entered, the total cost (extra + indirect x duration) with its lowest point
// marked. Axes and legend in Thai; money in Baht.
//
// Controls (objectName): costCurveChartView, indirectCostEdit (Baht per time unit, empty
// for none), lowestTotalLabel.
class CostCurveChart : public QWidget {
    Q_OBJECT
public:
    explicit CostCurveChart(QWidget *parent = nullptr);

    // Computes and shows the curve of a sound analysis (off the window's thread for a large
    // project; curveShown() follows).
    void showCurve(AnalysisSnapshot analysis);
    // An empty chart with the message (a table with problems).
    void clearCurve(const QString &message);

    // What is drawn, for tests and the report: the curve's points (every whole duration;
    // only the breakpoints when there are more than 200,000 whole durations),
    // the greedy's points, and the lowest total (duration, extra + indirect) when an
    // indirect cost is set.
    const std::vector<engine::CurvePoint> &curvePoints() const;
    const std::vector<engine::CurvePoint> &greedyPoints() const;
    std::optional<engine::CurvePoint> lowestTotal() const;
    // Satang per time unit; nothing when the field is empty.
    std::optional<engine::Satang> indirectCostPerUnit() const;
    void setIndirectCostPerUnit(std::optional<engine::Satang> satang);

    // Paints the chart into `target` (PNG, SVG, PDF, print).
    void renderChart(QPainter *painter, const QRectF &target);

    // The project's time unit as a word (days unless set), for the axis and the label.
    void setUnitWord(const QString &word);

    // The job that computes the curve of large projects (for the window's job indicator).
    BackgroundJob *curveJob() const { return m_job; }
    // The curve of the analysis given last is shown (not waiting for it).
    bool isShown() const;

    // The lowest total cost (extra + indirect x duration) over the points; of equal totals
    // the shorter duration, as the project then ends sooner for the same money. Nothing for
    // no points, or when a total leaves the 64-bit satang range.
    static std::optional<engine::CurvePoint>
    lowestTotalCost(const std::vector<engine::CurvePoint> &points, engine::Satang indirectPerUnit);

signals:
    // The curve of the analysis given last is shown.
    void curveShown();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // The exact curve and the greedy rule's totals, computed together.
    struct Curves {
        std::vector<engine::CurvePoint> curve;
        std::vector<engine::CurvePoint> breakpoints;
        std::vector<engine::CurvePoint> greedy;
    };
    static Curves curvesOf(const engine::Network &network, engine::JobControl &control);

    // A new chart of what is shown now (the view's, or one to render at another size).
    QChart *makeChart() const;
    void rebuild();
    void onIndirectCostEdited(const QString &text);

    std::vector<engine::CurvePoint> m_curve;
    std::vector<engine::CurvePoint> m_breakpoints; // of m_curve: the same line, drawn faster
    std::vector<engine::CurvePoint> m_greedy;
    std::optional<engine::Satang> m_indirect;
    std::optional<engine::CurvePoint> m_lowest;
    QString m_message;
    QString m_unitWord;

    QChartView *m_chartView;
    QLineEdit *m_indirectCostEdit;
    QLabel *m_indirectMessage;
    QLabel *m_lowestTotalLabel;
    QLabel *m_indirectCaption;
    AnalysisSnapshot m_analysis;
    BackgroundJob *m_job;
    bool m_stopped = false; // the student cancelled the curve
};

} // namespace project
