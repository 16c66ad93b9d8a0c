// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "jsonvalue.h"

#include <QLocale>
#include <QStringDecoder>

namespace io {

ValueType typeOf(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::String:
        return ValueType::Text;
    case QJsonValue::Double:
        return ValueType::Number;
    case QJsonValue::Bool:
        return ValueType::TrueFalse;
    case QJsonValue::Array:
        return ValueType::List;
    case QJsonValue::Object:
        return ValueType::Object;
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        break;
    }
    return ValueType::Null;
}

QString rendered(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::String:
        return shownValue(QString(u'"' + value.toString() + u'"'));
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Array:
        return QStringLiteral("[...]");
    case QJsonValue::Object:
        return QStringLiteral("{...}");
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("null");
}

bool hasType(const QJsonValue &value, ValueType type)
{
    switch (type) {
    case ValueType::Text:
        return value.isString();
    case ValueType::WholeNumber:
    case ValueType::Amount:
    case ValueType::Number:
        return value.isDouble();
    case ValueType::List:
    case ValueType::ListOfTexts:
        return value.isArray();
    case ValueType::Object:
        return value.isObject();
    case ValueType::TrueFalse:
        return value.isBool();
    case ValueType::Null:
        return value.isNull();
    case ValueType::TextOrObject:
        return value.isString() || value.isObject();
    }
    return false;
}

QString jsonText(const std::string &utf8)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::ConvertInitialBom
                               | QStringDecoder::Flag::Stateless);
    return decoder.decode(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

QJsonValue jsonBaht(engine::Satang amount)
{
    if (amount % 100 == 0)
        return QJsonValue(static_cast<qint64>(amount / 100));
    return QJsonValue(static_cast<double>(amount) / 100.0);
}

} // namespace io
