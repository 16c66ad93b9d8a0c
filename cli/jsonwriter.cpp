// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "jsonwriter.h"

#include "utf8.h"

#include <QLocale>
#include <QString>

#include <cmath>
#include <stdexcept>

namespace cli {

JsonWriter::JsonWriter(Output &output, int arrayDepth)
    : m_output(output), m_outer(static_cast<std::size_t>(arrayDepth - 1))
{
    m_open.push_back({.object = false});
}

void JsonWriter::beginObject()
{
    open(true);
}

void JsonWriter::endObject()
{
    close(true);
}

void JsonWriter::beginArray()
{
    open(false);
}

void JsonWriter::endArray()
{
    close(false);
}

void JsonWriter::key(std::string_view name)
{
    if (m_open.empty() || !m_open.back().object || m_afterKey)
        throw std::logic_error("JsonWriter: a key outside an object");
    Open &object = m_open.back();
    // QJsonObject keeps its keys sorted; a document written otherwise would differ.
    if (object.count > 0 && !(object.lastKey < name))
        throw std::logic_error("JsonWriter: key '" + std::string(name) + "' out of order");
    if (object.count > 0)
        m_output.write(",\n");
    indent();
    string(name);
    m_output.write(": ");
    object.lastKey = name;
    ++object.count;
    m_afterKey = true;
}

void JsonWriter::value(std::string_view utf8)
{
    beforeValue();
    string(utf8);
}

void JsonWriter::value(std::int64_t number)
{
    beforeValue();
    m_output.writeNumber(number);
}

void JsonWriter::value(double number)
{
    beforeValue();
    // QJsonValue keeps a whole double in the 64-bit range as an integer.
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (!std::isfinite(number))
        m_output.write("null");
    else if (std::trunc(number) == number && number >= -kTwoTo63 && number < kTwoTo63)
        m_output.writeNumber(static_cast<std::int64_t>(number));
    else
        m_output.write(QByteArray::number(number, 'g', QLocale::FloatingPointShortest));
}

void JsonWriter::value(bool truth)
{
    beforeValue();
    m_output.write(truth ? "true" : "false");
}

void JsonWriter::null()
{
    beforeValue();
    m_output.write("null");
}

void JsonWriter::beforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_open.empty())
        return;
    Open &array = m_open.back();
    if (array.object)
        throw std::logic_error("JsonWriter: a value without a key in an object");
    if (array.count > 0)
        m_output.write(",\n");
    indent();
    ++array.count;
}

void JsonWriter::open(bool object)
{
    beforeValue();
    m_output.write(object ? "{\n" : "[\n");
    m_open.push_back({.object = object});
}

void JsonWriter::close(bool object)
{
    if (m_open.empty() || m_open.back().object != object || m_afterKey)
        throw std::logic_error("JsonWriter: closing what is not open");
    const bool any = m_open.back().count > 0;
    m_open.pop_back();
    if (any)
        m_output.write('\n');
    indent();
    m_output.write(object ? '}' : ']');
    if (m_open.empty() && m_outer == 0)
        m_output.write('\n');
}

void JsonWriter::indent()
{
    m_output.writeSpaces(4 * (m_outer + m_open.size()));
}

void JsonWriter::string(std::string_view utf8)
{
    // Text from the readers is UTF-8; anything else is shown as Qt would show it.
    if (io::findInvalidUtf8(utf8) != std::string_view::npos) {
        const QByteArray decoded
            = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toUtf8();
        string(std::string_view(decoded.constData(), static_cast<std::size_t>(decoded.size())));
        return;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    m_output.write('"');
    // Qt's JSON reader drops a U+FEFF that starts a text unless it is escaped.
    if (utf8.starts_with("\xEF\xBB\xBF")) {
        m_output.write("\\ufeff");
        utf8.remove_prefix(3);
    }
    std::size_t plain = 0; // start of the bytes not yet written
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        m_output.write(utf8.substr(plain, i - plain));
        plain = i + 1;
        switch (c) {
        case '"':
            m_output.write("\\\"");
            break;
        case '\\':
            m_output.write("\\\\");
            break;
        case '\b':
            m_output.write("\\b");
            break;
        case '\f':
            m_output.write("\\f");
            break;
        case '\n':
            m_output.write("\\n");
            break;
        case '\r':
            m_output.write("\\r");
            break;
        case '\t':
            m_output.write("\\t");
            break;
        default: {
            const char escape[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xf]};
            m_output.write(std::string_view(escape, sizeof escape));
        }
        }
    }
    m_output.write(utf8.substr(plain));
    m_output.write('"');
}

} // namespace cli
