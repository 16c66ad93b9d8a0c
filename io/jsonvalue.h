// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problem.h"

#include <QJsonValue>

namespace io {

// The kind of a JSON value, as a problem names it (every number is a Number).
ValueType typeOf(const QJsonValue &value);

// Whether the value can hold what `type` asks for: any number for WholeNumber and Amount
// (their exactness is checked apart), any list for ListOfTexts (its items too).
bool hasType(const QJsonValue &value, ValueType type);

// A JSON value as a problem shows it: texts in quotes and shortened, numbers in their
// shortest form, lists and objects only by their brackets.
QString rendered(const QJsonValue &value);

} // namespace io
