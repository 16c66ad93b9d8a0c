// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problem.h"

#include "money.h"

#include <QJsonValue>

#include <string>

namespace io {

// The kind of a JSON value, as a problem names it (every number is a Number).
ValueType typeOf(const QJsonValue &value);

// Whether the value can hold what `type` asks for: any number for WholeNumber and Amount
// (their exactness is checked apart), any list for ListOfTexts (its items too).
bool hasType(const QJsonValue &value, ValueType type);

// A JSON value as a problem shows it: texts in quotes and shortened, numbers in their
// shortest form, lists and objects only by their brackets.
QString rendered(const QJsonValue &value);

// A UTF-8 text of the engine as written to a file. QString::fromUtf8 would drop a byte order
// mark at the start of a text: it is data here.
QString jsonText(const std::string &utf8);

// Whole Baht as an integer, anything else as the double nearest to it: that double converts
// back to the same satang (see amountFromDouble).
QJsonValue jsonBaht(engine::Satang amount);

} // namespace io
