// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "pertpanel.h"
#include "controlnames.h"

#include "fonts.h"
#include "thaitext.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace project {

namespace {

// Points of the density curve over mean ± 4 standard deviations.
constexpr int kCurvePoints = 161;
constexpr double kCurveSpan = 4.0;

// A plain decimal number ("25", "25.5", ".5", "-3"); nothing for anything else.
std::optional<double> plainNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^-?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A figure with at most two decimals, trailing zeros dropped: "25", "25.5", "25.33".
QString figure(double value)
{
    QString text = QString::number(value, 'f', 2);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

double density(double x, double mean, double sd)
{
    const double z = (x - mean) / sd;
    return std::exp(-0.5 * z * z) / (sd * std::sqrt(2.0 * std::numbers::pi));
}

QString ids(const engine::Project &project, const std::vector<int> &path)
{
    QStringList shown;
    for (const int a : path) {
        if (a >= 0 && static_cast<std::size_t>(a) < project.activities.size())
            shown << textOf(project.activities[static_cast<std::size_t>(a)].id);
    }
    return shown.join(QStringLiteral(" → "));
}

} // namespace

TypedNumber readPertDay(const QString &text)
{
    const QString typed = withArabicDigits(text.trimmed());
    if (typed.isEmpty())
        return {};
    const std::optional<double> value = plainNumber(typed);
    if (!value)
        return {
            std::nullopt,
            QStringLiteral("'%1' ไม่ใช่ตัวเลข: พิมพ์วันเป็นตัวเลข เช่น 25 หรือ 25.5").arg(text.trimmed())};
    if (*value < 0)
        return {std::nullopt, QStringLiteral("วันที่ต้องเป็น 0 ขึ้นไป")};
    const double longest
        = static_cast<double>(engine::kMaxActivities) * static_cast<double>(engine::kMaxDuration);
    if (*value > longest)
        return {std::nullopt, QStringLiteral("วันที่มากเกินไป: ต้องไม่เกิน %1").arg(longest, 0, 'f', 0)};
    return {value, {}};
}

TypedNumber readPertConfidence(const QString &text)
{
    QString typed = withArabicDigits(text.trimmed());
    if (typed.endsWith(u'%'))
        typed = typed.chopped(1).trimmed();
    if (typed.isEmpty())
        return {};
    const std::optional<double> value = plainNumber(typed);
    if (!value)
        return {std::nullopt,
                QStringLiteral("'%1' ไม่ใช่ตัวเลข: พิมพ์เปอร์เซ็นต์ เช่น 95 หรือ 97.5").arg(text.trimmed())};
    if (*value <= 0 || *value >= 100)
        return {std::nullopt,
                QStringLiteral("ความมั่นใจต้องมากกว่า 0 และน้อยกว่า 100 เปอร์เซ็นต์: "
                               "เสร็จแน่นอน 100% ไม่มีวันใดรับรองได้")};
    return {value, {}};
}

PertPanel::PertPanel(QWidget *parent)
    : QWidget(parent), m_message(new QLabel), m_figures(new QWidget), m_summary(new QLabel),
      m_path(new QLabel), m_tie(new QLabel), m_dayEdit(new QLineEdit),
      m_probabilityLabel(new QLabel), m_confidenceEdit(new QLineEdit), m_dayLabel(new QLabel),
      m_chartView(new QChartView)
{
    named(m_message, "pertMessageLabel", QStringLiteral("ข้อความ PERT"));
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    named(m_summary, "pertSummaryLabel", QStringLiteral("เวลาคาดหมายและส่วนเบี่ยงเบนมาตรฐาน"));
    m_summary->setWordWrap(true);
    named(m_path, "pertPathLabel", QStringLiteral("เส้นทางวิกฤตตามเวลาคาดหมาย"));
    m_path->setWordWrap(true);
    m_path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    named(m_tie, "pertTieLabel", QStringLiteral("เส้นทางวิกฤตที่ยาวเท่ากัน"));
    m_tie->setWordWrap(true);

    named(m_dayEdit, "pertDayEdit", QStringLiteral("วันที่ต้องการทราบโอกาสเสร็จ"));
    m_dayEdit->setPlaceholderText(QStringLiteral("เช่น 25"));
    m_dayEdit->setMaximumWidth(140);
    named(m_probabilityLabel, "pertProbabilityLabel", QStringLiteral("โอกาสที่โครงการจะเสร็จ"));
    named(m_confidenceEdit, "pertConfidenceEdit", QStringLiteral("ความมั่นใจที่ต้องการ (%)"));
    m_confidenceEdit->setPlaceholderText(QStringLiteral("เช่น 95"));
    m_confidenceEdit->setMaximumWidth(140);
    named(m_dayLabel, "pertDayLabel", QStringLiteral("วันที่โครงการจะเสร็จตามความมั่นใจ"));
    named(m_chartView, "pertChartView", QStringLiteral("เส้นโค้งปกติของระยะเวลาโครงการ"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumHeight(260);

    auto *dayCaption = new QLabel(QStringLiteral("โอกาสที่โครงการจะเสร็จภายในวันที่"));
    dayCaption->setBuddy(m_dayEdit);
    auto *confidenceCaption = new QLabel(QStringLiteral("ต้องการความมั่นใจ (%)"));
    confidenceCaption->setBuddy(m_confidenceEdit);
    auto *confidenceAfter = new QLabel(QStringLiteral("จะเสร็จภายในวันที่"));
    auto *questions = new QGridLayout;
    questions->addWidget(dayCaption, 0, 0);
    questions->addWidget(m_dayEdit, 0, 1);
    questions->addWidget(m_probabilityLabel, 0, 2, 1, 2);
    questions->addWidget(confidenceCaption, 1, 0);
    questions->addWidget(m_confidenceEdit, 1, 1);
    questions->addWidget(confidenceAfter, 1, 2);
    questions->addWidget(m_dayLabel, 1, 3);
    questions->setColumnStretch(3, 1);

    auto *figures = new QVBoxLayout(m_figures);
    figures->setContentsMargins(0, 0, 0, 0);
    figures->addWidget(m_summary);
    figures->addWidget(m_path);
    figures->addWidget(m_tie);
    figures->addLayout(questions);
    figures->addWidget(m_chartView, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addWidget(m_figures, 1);

    connect(m_dayEdit, &QLineEdit::textChanged, this, &PertPanel::onDayEdited);
    connect(m_confidenceEdit, &QLineEdit::textChanged, this, &PertPanel::onConfidenceEdited);
    showMessage(QString());
}

const std::optional<engine::PertAnalysis> &PertPanel::pert() const
{
    return m_pert;
}

std::optional<double> PertPanel::probability() const
{
    return m_probability;
}

std::optional<double> PertPanel::dayForConfidence() const
{
    return m_dayForConfidence;
}

void PertPanel::showMessage(const QString &message)
{
    m_pert.reset();
    m_message->setText(message);
    m_message->setVisible(!message.isEmpty());
    m_figures->hide();
    onDayEdited();
    onConfidenceEdited();
}

void PertPanel::showAnalysis(const ProjectAnalysis &analysis)
{
    if (!analysis.sound()) {
        showMessage(QStringLiteral("ตารางยังมีปัญหา แก้ตามรายการใต้ตารางแล้วผล PERT จะแสดงเอง"));
        return;
    }
    m_unitWord = thaiUnitWord(analysis.project.timeUnit);
    if (!analysis.network.plainLinks()) {
        showMessage(QStringLiteral("PERT แบบในตำราใช้ได้เมื่อทุกความสัมพันธ์เป็นแบบเสร็จ-เริ่มไม่มีเวลาหน่วง "
                                   "โครงการนี้มีความสัมพันธ์แบบอื่น จึงคำนวณแบบ PERT ไม่ได้"));
        return;
    }
    const auto &activities = analysis.project.activities;
    if (std::none_of(activities.begin(), activities.end(),
                     [](const engine::Activity &a) { return a.estimate.has_value(); })) {
        showMessage(
            QStringLiteral("ยังไม่มีกิจกรรมใดมีเวลาประมาณสามค่า จึงยังคำนวณแบบ PERT ไม่ได้\n\n"
                           "พิมพ์เวลาประมาณลงในสามคอลัมน์ท้ายตารางกิจกรรม: เวลาเร็วที่สุด (a) "
                           "เวลาที่น่าจะเป็น (m) และเวลาช้าที่สุด (b) ให้ครบทั้งสามช่องของแถว โดย a ≤ m ≤ b "
                           "ใส่ทศนิยมได้ เช่น 2, 3.5, 8\n\n"
                           "กิจกรรมที่ไม่ได้ใส่เวลาประมาณจะใช้เวลาปกติและถือว่าแน่นอน (ไม่มีความแปรปรวน)"));
        return;
    }
    m_pert = engine::analysePert(analysis.project, analysis.network);
    const engine::PertAnalysis &pert = *m_pert;
    m_message->hide();
    m_figures->show();

    m_summary->setText(QStringLiteral("เวลาคาดหมายของโครงการ (Tₑ) %1 %2 · "
                                      "ความแปรปรวนของเส้นทางวิกฤต %3 · "
                                      "ส่วนเบี่ยงเบนมาตรฐาน (σ) %4 %2")
                           .arg(figure(pert.expectedDuration), m_unitWord,
                                figure(pert.pathVariance), figure(pert.standardDeviation)));
    m_path->setText(QStringLiteral("เส้นทางวิกฤตตามเวลาคาดหมาย: %1")
                        .arg(ids(analysis.project, pert.criticalPath)));
    QStringList notes;
    if (pert.tiedPaths > 1) {
        const QString count = pert.tiedPathsComplete
            ? QStringLiteral("%1 เส้น").arg(pert.tiedPaths)
            : QStringLiteral("อย่างน้อย %1 เส้น").arg(pert.tiedPaths);
        notes << QStringLiteral("มีเส้นทางวิกฤตที่ยาวเท่ากัน %1: ใช้เส้นที่มีความแปรปรวนมากที่สุด "
                                "(ไม่แน่นอนที่สุด) ความน่าจะเป็นที่ได้จึงเป็นค่าที่ระมัดระวัง")
                     .arg(count);
    }
    if (pert.standardDeviation == 0)
        notes << QStringLiteral("กิจกรรมบนเส้นทางวิกฤตไม่มีความแปรปรวน: "
                                "โครงการเสร็จใน %1 %2 แน่นอน")
                     .arg(figure(pert.expectedDuration), m_unitWord);
    m_tie->setText(notes.join(u'\n'));
    m_tie->setVisible(!notes.isEmpty());
    m_chartView->setVisible(pert.standardDeviation > 0);
    onDayEdited();
    onConfidenceEdited();
}

void PertPanel::onDayEdited()
{
    const TypedNumber day = readPertDay(m_dayEdit->text());
    m_day = day.value;
    m_probability.reset();
    if (!day.problem.isEmpty()) {
        m_probabilityLabel->setStyleSheet(QStringLiteral("color: #b00000;"));
        m_probabilityLabel->setText(day.problem);
    } else {
        m_probabilityLabel->setStyleSheet(QString());
        if (m_pert && m_day) {
            m_probability = engine::probabilityOfFinishingBy(*m_pert, *m_day);
            m_probabilityLabel->setText(
                QStringLiteral("มีโอกาส %1%").arg(*m_probability * 100.0, 0, 'f', 2));
        } else {
            m_probabilityLabel->setText(m_pert ? QStringLiteral("พิมพ์วันที่ที่ต้องการ") : QString());
        }
    }
    redrawChart();
}

void PertPanel::onConfidenceEdited()
{
    const TypedNumber confidence = readPertConfidence(m_confidenceEdit->text());
    m_dayForConfidence.reset();
    if (!confidence.problem.isEmpty()) {
        m_dayLabel->setStyleSheet(QStringLiteral("color: #b00000;"));
        m_dayLabel->setText(confidence.problem);
        return;
    }
    m_dayLabel->setStyleSheet(QString());
    if (m_pert && confidence.value) {
        m_dayForConfidence = engine::dayForProbability(*m_pert, *confidence.value / 100.0);
        m_dayLabel->setText(m_dayForConfidence ? QStringLiteral("%1 %2").arg(
                                figure(*m_dayForConfidence), m_unitWord)
                                               : QString());
    } else {
        m_dayLabel->setText(m_pert ? QStringLiteral("พิมพ์เปอร์เซ็นต์ที่ต้องการ") : QString());
    }
}

void PertPanel::redrawChart()
{
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("การแจกแจงปกติของระยะเวลาโครงการ"));
    chart->setTitleFont(platform::sarabunFont(22, true));
    chart->legend()->setFont(platform::sarabunFont(16));
    chart->legend()->setAlignment(Qt::AlignBottom);
    if (m_pert && m_pert->standardDeviation > 0) {
        const double mean = m_pert->expectedDuration, sd = m_pert->standardDeviation;
        double low = mean - kCurveSpan * sd, high = mean + kCurveSpan * sd;
        if (m_day) {
            low = std::min(low, *m_day);
            high = std::max(high, *m_day);
        }
        // The curve at evenly spaced points, and at the ends of the axis when the asked day
        // lies beyond ±4 standard deviations.
        std::vector<double> xs;
        if (low < mean - kCurveSpan * sd)
            xs.push_back(low);
        for (int i = 0; i < kCurvePoints; ++i)
            xs.push_back(mean - kCurveSpan * sd + 2 * kCurveSpan * sd * i / (kCurvePoints - 1));
        if (high > mean + kCurveSpan * sd)
            xs.push_back(high);

        auto *curve = new QLineSeries;
        curve->setName(QStringLiteral("ความหนาแน่นของระยะเวลาโครงการ"));
        for (const double x : xs)
            curve->append(x, density(x, mean, sd));
        const double peak = density(mean, mean, sd);

        if (m_day) {
            auto *upper = new QLineSeries;
            auto *lower = new QLineSeries;
            for (const double x : xs) {
                if (x >= *m_day)
                    break;
                upper->append(x, density(x, mean, sd));
            }
            upper->append(*m_day, density(*m_day, mean, sd));
            lower->append(upper->at(0).x(), 0);
            lower->append(*m_day, 0);
            auto *area = new QAreaSeries(upper, lower);
            area->setName(QStringLiteral("โอกาสเสร็จภายในวันที่ %1").arg(figure(*m_day)));
            area->setColor(QColor(120, 170, 230, 150));
            area->setBorderColor(QColor(120, 170, 230));
            chart->addSeries(area);
        }
        chart->addSeries(curve);
        auto *meanLine = new QLineSeries;
        meanLine->setName(QStringLiteral("เวลาคาดหมาย %1").arg(figure(mean)));
        meanLine->append(mean, 0);
        meanLine->append(mean, peak);
        meanLine->setPen(QPen(QColor(90, 90, 90), 1.5, Qt::DashLine));
        chart->addSeries(meanLine);
        if (m_day) {
            auto *dayLine = new QLineSeries;
            dayLine->setName(QStringLiteral("วันที่ถาม %1").arg(figure(*m_day)));
            dayLine->append(*m_day, 0);
            dayLine->append(*m_day, peak * 1.05);
            dayLine->setPen(QPen(QColor(200, 30, 30), 2));
            chart->addSeries(dayLine);
        }

        auto *xAxis = new QValueAxis;
        xAxis->setTitleText(QStringLiteral("ระยะเวลาโครงการ (%1)").arg(m_unitWord));
        xAxis->setRange(low, high);
        auto *yAxis = new QValueAxis;
        yAxis->setTitleText(QStringLiteral("ความหนาแน่น"));
        yAxis->setRange(0, peak * 1.1);
        for (QValueAxis *axis : {xAxis, yAxis}) {
            axis->setTitleFont(platform::sarabunFont(18));
            axis->setLabelsFont(platform::sarabunFont(16));
        }
        chart->addAxis(xAxis, Qt::AlignBottom);
        chart->addAxis(yAxis, Qt::AlignLeft);
        for (QAbstractSeries *series : chart->series()) {
            series->attachAxis(xAxis);
            series->attachAxis(yAxis);
        }
    } else {
        chart->legend()->hide();
    }
    QChart *old = m_chartView->chart();
    m_chartView->setChart(chart);
    delete old;
}

} // namespace project
