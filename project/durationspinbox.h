// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"

#include <QAbstractSpinBox>

#include <optional>

namespace project {

// A spin box of whole time units over the engine's whole range (a project can last far longer
// than a QSpinBox's int holds). Digits only (Thai digits are read too); the value changes when
// the arrows are used or the typed text is confirmed (Enter, leaving the box), not at every
// key.
class DurationSpinBox : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit DurationSpinBox(QWidget *parent = nullptr);

    engine::Duration value() const { return m_value; }
    engine::Duration minimum() const { return m_minimum; }
    engine::Duration maximum() const { return m_maximum; }
    // 0 <= minimum <= maximum; the value is kept inside.
    void setRange(engine::Duration minimum, engine::Duration maximum);

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    QSize sizeHint() const override;

public slots:
    // Clamped to the range; valueChanged when it differs.
    void setValue(engine::Duration value);

signals:
    void valueChanged(engine::Duration value);

protected:
    StepEnabled stepEnabled() const override;

private:
    // The typed text as a duration in the range; nothing when it is not one.
    std::optional<engine::Duration> typedValue(const QString &text) const;
    void showValue();

    engine::Duration m_value = 0;
    engine::Duration m_minimum = 0;
    engine::Duration m_maximum
        = engine::kMaxDuration * static_cast<engine::Duration>(engine::kMaxActivities);
};

} // namespace project
