// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "exercisegenerator.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace project {

class DurationSpinBox;

// "แบบฝึกหัดใหม่": a seeded exercise chosen by its settings. The seed is shown and can be
// typed, so a teacher can give the same exercise to a class (crashkit-cli generate makes the
// same project from the same seed and settings). Settings the generator cannot meet are told
// in the dialog, which stays open.
class NewExerciseDialog : public QDialog {
    Q_OBJECT
public:
    explicit NewExerciseDialog(QWidget *parent = nullptr);

    // The seed and the settings shown.
    std::uint64_t seed() const;
    engine::ExerciseSettings settings() const;
    void setSeed(std::uint64_t seed);
    void setSettings(const engine::ExerciseSettings &settings);

    // Generates the exercise for what is shown; true and the exercise kept when it could be
    // made, false with the reason shown in Thai.
    bool generate();
    // The exercise made on accepting (or by generate()).
    const std::optional<engine::GeneratedExercise> &exercise() const { return m_exercise; }

    void accept() override;

private:
    DurationSpinBox *m_seed = nullptr;
    QSpinBox *m_activities = nullptr;
    QSpinBox *m_criticalPaths = nullptr;
    QCheckBox *m_jointStep = nullptr;
    QCheckBox *m_greedyOverpays = nullptr;
    QLabel *m_problem = nullptr;
    std::optional<engine::GeneratedExercise> m_exercise;
};

// The exercise's title in Thai: its seed and settings, so that it can be made again.
QString exerciseTitle(const engine::GeneratedExercise &exercise);

// The Thai wording of a refusal of the generator, for these settings and seed.
QString thaiExerciseRefusal(const engine::ExerciseRefusal &refusal,
                            const engine::ExerciseSettings &settings, std::uint64_t seed);

} // namespace project
