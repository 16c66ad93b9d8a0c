// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "durationspinbox.h"

#include "thaitext.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>

namespace project {

DurationSpinBox::DurationSpinBox(QWidget *parent) : QAbstractSpinBox(parent)
{
    setKeyboardTracking(false);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
        if (const auto typed = typedValue(text()))
            setValue(*typed);
        else
            showValue();
    });
    showValue();
}

void DurationSpinBox::setRange(engine::Duration minimum, engine::Duration maximum)
{
    m_minimum = std::max<engine::Duration>(0, minimum);
    m_maximum = std::max(m_minimum, maximum);
    setValue(m_value);
    showValue();
}

void DurationSpinBox::setValue(engine::Duration value)
{
    value = std::clamp(value, m_minimum, m_maximum);
    const bool changed = value != m_value;
    m_value = value;
    showValue();
    if (changed)
        emit valueChanged(m_value);
}

void DurationSpinBox::showValue()
{
    const QString shown = QString::number(m_value);
    if (lineEdit()->text() != shown)
        lineEdit()->setText(shown);
}

void DurationSpinBox::stepBy(int steps)
{
    // Steps from what is typed, when it is a duration, as QSpinBox does.
    const engine::Duration from = typedValue(text()).value_or(m_value);
    const engine::Duration to = steps < 0
        ? std::max(m_minimum, from + steps)
        : std::min(m_maximum, from + std::min<engine::Duration>(steps, m_maximum - from));
    setValue(to);
    selectAll();
}

QAbstractSpinBox::StepEnabled DurationSpinBox::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    StepEnabled enabled = StepNone;
    if (m_value > m_minimum)
        enabled |= StepDownEnabled;
    if (m_value < m_maximum)
        enabled |= StepUpEnabled;
    return enabled;
}

std::optional<engine::Duration> DurationSpinBox::typedValue(const QString &text) const
{
    const QString digits = withArabicDigits(text.trimmed());
    if (digits.isEmpty() || digits.size() > 18)
        return std::nullopt;
    engine::Duration value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value < m_minimum || value > m_maximum)
        return std::nullopt;
    return value;
}

QValidator::State DurationSpinBox::validate(QString &input, int &) const
{
    const QString digits = withArabicDigits(input.trimmed());
    if (digits.isEmpty())
        return QValidator::Intermediate;
    if (digits.size() > 18 || !std::all_of(digits.begin(), digits.end(), [](QChar c) {
            return c >= u'0' && c <= u'9';
        }))
        return QValidator::Invalid;
    return typedValue(input) ? QValidator::Acceptable : QValidator::Intermediate;
}

void DurationSpinBox::fixup(QString &input) const
{
    input = QString::number(typedValue(input).value_or(m_value));
}

QSize DurationSpinBox::sizeHint() const
{
    // Wide enough for the largest value of the range, like QSpinBox.
    ensurePolished();
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(QString::number(m_maximum)) + 2
        + metrics.horizontalAdvance(u'0') * 2;
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    QSize hint(width, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, hint, this);
}

} // namespace project
