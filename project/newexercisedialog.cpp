// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "newexercisedialog.h"

#include "controlnames.h"
#include "durationspinbox.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QStringList>
#include <QVBoxLayout>

#include <limits>

namespace project {

namespace {

// Seeds up to 2^63 - 1, as crashkit-cli generate takes them.
constexpr engine::Duration kLargestSeed = std::numeric_limits<engine::Duration>::max();

} // namespace

NewExerciseDialog::NewExerciseDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NewExerciseDialog"));
    setWindowTitle(QStringLiteral("แบบฝึกหัดใหม่"));

    m_seed = named(new DurationSpinBox, "exerciseSeedSpinBox", QStringLiteral("เลขชุดแบบฝึกหัด"));
    m_seed->setRange(0, kLargestSeed);
    m_seed->setMinimumWidth(180);
    auto *newSeed = named(new QPushButton(QStringLiteral("สุ่มเลขชุดใหม่")), "exerciseNewSeedButton",
                          QStringLiteral("สุ่มเลขชุดใหม่"));
    connect(newSeed, &QPushButton::clicked, this,
            [this] { setSeed(QRandomGenerator::global()->bounded(quint64 {1'000'000})); });
    auto *seedRow = new QHBoxLayout;
    seedRow->addWidget(m_seed, 1);
    seedRow->addWidget(newSeed);

    m_activities = named(new QSpinBox, "exerciseActivitiesSpinBox", QStringLiteral("จำนวนกิจกรรม"));
    m_activities->setRange(engine::kMinExerciseActivities, engine::kMaxExerciseActivities);
    m_criticalPaths = named(new QSpinBox, "exerciseCriticalPathsSpinBox",
                            QStringLiteral("จำนวนสายงานวิกฤตเมื่อใช้เวลาปกติ"));
    m_criticalPaths->setRange(1, engine::kMaxExerciseCriticalPaths);
    m_jointStep = named(new QCheckBox(QStringLiteral("มีขั้นที่ต้องเร่งหลายกิจกรรมพร้อมกัน")),
                        "exerciseJointStepCheckBox", QStringLiteral("มีขั้นที่ต้องเร่งหลายกิจกรรมพร้อมกัน"));
    m_greedyOverpays = named(
        new QCheckBox(QStringLiteral("เร่งทีละขั้นแบบตำราแล้วจ่ายมากกว่าค่าใช้จ่ายต่ำสุด")),
        "exerciseGreedyOverpaysCheckBox", QStringLiteral("เร่งทีละขั้นแบบตำราแล้วจ่ายมากกว่าค่าใช้จ่ายต่ำสุด"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("เลขชุด"), seedRow);
    form->addRow(QStringLiteral("จำนวนกิจกรรม"), m_activities);
    form->addRow(QStringLiteral("สายงานวิกฤต"), m_criticalPaths);
    form->addRow(QString(), m_jointStep);
    form->addRow(QString(), m_greedyOverpays);

    auto *hint = new QLabel(
        QStringLiteral("เลขชุดและเงื่อนไขเดียวกันให้โครงการเดียวกันทุกครั้ง ผู้สอนแจกเลขชุดให้ผู้เรียนได้"));
    hint->setWordWrap(true);
    m_problem = named(new QLabel, "exerciseProblemLabel", QStringLiteral("ปัญหาของเงื่อนไข"));
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #a00000;"));
    m_problem->hide();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("สร้างแบบฝึกหัด"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("exerciseCreateButton"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ยกเลิก"));
    connect(buttons, &QDialogButtonBox::accepted, this, &NewExerciseDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NewExerciseDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hint);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);

    setSettings(engine::ExerciseSettings {});
    setSeed(QRandomGenerator::global()->bounded(quint64 {1'000'000}));
}

std::uint64_t NewExerciseDialog::seed() const
{
    return static_cast<std::uint64_t>(m_seed->value());
}

engine::ExerciseSettings NewExerciseDialog::settings() const
{
    engine::ExerciseSettings settings;
    settings.activities = m_activities->value();
    settings.criticalPaths = m_criticalPaths->value();
    settings.jointStep = m_jointStep->isChecked();
    settings.greedyOverpays = m_greedyOverpays->isChecked();
    return settings;
}

void NewExerciseDialog::setSeed(std::uint64_t seed)
{
    m_seed->setValue(static_cast<engine::Duration>(
        std::min<std::uint64_t>(seed, static_cast<std::uint64_t>(kLargestSeed))));
}

void NewExerciseDialog::setSettings(const engine::ExerciseSettings &settings)
{
    m_activities->setValue(settings.activities);
    m_criticalPaths->setValue(settings.criticalPaths);
    m_jointStep->setChecked(settings.jointStep);
    m_greedyOverpays->setChecked(settings.greedyOverpays);
}

bool NewExerciseDialog::generate()
{
    const engine::ExerciseSettings asked = settings();
    engine::ExerciseResult result = engine::generateExercise(seed(), asked);
    if (auto *refusal = std::get_if<engine::ExerciseRefusal>(&result)) {
        m_exercise.reset();
        m_problem->setText(thaiExerciseRefusal(*refusal, asked, seed()));
        m_problem->show();
        return false;
    }
    m_problem->hide();
    m_exercise = std::move(std::get<engine::GeneratedExercise>(result));
    return true;
}

void NewExerciseDialog::accept()
{
    if (generate())
        QDialog::accept();
}

QString exerciseTitle(const engine::GeneratedExercise &exercise)
{
    QStringList settings {QStringLiteral("%1 กิจกรรม").arg(exercise.settings.activities),
                          QStringLiteral("สายงานวิกฤต %1 สาย").arg(exercise.settings.criticalPaths)};
    if (exercise.settings.jointStep)
        settings << QStringLiteral("มีขั้นที่เร่งหลายกิจกรรม");
    if (exercise.settings.greedyOverpays)
        settings << QStringLiteral("เร่งแบบตำราจ่ายเกิน");
    return QStringLiteral("แบบฝึกหัด เลขชุด %1 (%2)")
        .arg(exercise.seed)
        .arg(settings.join(QStringLiteral(", ")));
}

QString thaiExerciseRefusal(const engine::ExerciseRefusal &refusal,
                            const engine::ExerciseSettings &settings, std::uint64_t seed)
{
    switch (refusal.reason) {
    case engine::ExerciseRefusalReason::ActivitiesOutOfRange:
        return QStringLiteral("จำนวนกิจกรรมต้องอยู่ระหว่าง %1 ถึง %2 (ใส่ไว้ %3)")
            .arg(engine::kMinExerciseActivities)
            .arg(engine::kMaxExerciseActivities)
            .arg(settings.activities);
    case engine::ExerciseRefusalReason::CriticalPathsOutOfRange:
        return QStringLiteral("จำนวนสายงานวิกฤตต้องอยู่ระหว่าง 1 ถึง %1 (ใส่ไว้ %2)")
            .arg(engine::kMaxExerciseCriticalPaths)
            .arg(settings.criticalPaths);
    case engine::ExerciseRefusalReason::NotFound:
        break;
    }
    return QStringLiteral("เลขชุด %1 ไม่ให้โครงการ %2 กิจกรรมที่ตรงกับเงื่อนไขทุกข้อ "
                          "ลองเลขชุดอื่น เพิ่มจำนวนกิจกรรม หรือลดเงื่อนไขลง")
        .arg(seed)
        .arg(settings.activities);
}

} // namespace project
