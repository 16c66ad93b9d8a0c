// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "output.h"

#include <QByteArray>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// Writes one JSON document as it is produced, laid out byte for byte as
// QJsonDocument::toJson(QJsonDocument::Indented) lays out the same values: four blanks an
// indent, `"key": value`, a line break after every opening bracket, empty containers as
// `{` or `[` and the closing one on the next line, and a line break after the document.
// As a QJsonObject sorts its keys, the keys of an object must come in ascending order;
// a key out of order throws std::logic_error rather than write a different document.
class JsonWriter {
public:
    explicit JsonWriter(Output &output) : m_output(output) { }
    // A writer of the elements of an array whose brackets another writer puts around them
    // (see elementsFrom): that array is the `arrayDepth`-th container open there (2 for an
    // array that is a member of the document's object).
    JsonWriter(Output &output, int arrayDepth);

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The next member's key; its value follows.
    void key(std::string_view name);

    // Values, each as an element of the array or after a key. Text is UTF-8; text that is
    // not is first decoded as Qt decodes it (each bad sequence a U+FFFD). A U+FEFF at the
    // start of a text is written as the escape \ufeff: every reader keeps that, where Qt's
    // drops the character itself.
    void value(std::string_view utf8);
    void value(const char *utf8) { value(std::string_view(utf8)); }
    void value(std::int64_t number);
    void value(int number) { value(static_cast<std::int64_t>(number)); }
    // As QJsonValue writes a double: whole numbers in the 64-bit range as integers, others
    // as the shortest form that reads back the same, null when not finite.
    void value(double number);
    void value(bool truth);
    void null();

    // Adds to the array open here the `count` elements (0 or more) that an elements-only
    // writer wrote elsewhere, whose bytes `copy` writes to this writer's output.
    template<typename Copy> void elementsFrom(std::int64_t count, Copy &&copy)
    {
        if (count == 0)
            return;
        if (m_open.back().count > 0)
            m_output.write(",\n");
        copy();
        m_open.back().count += count;
    }

private:
    struct Open {
        bool object;
        std::int64_t count = 0;
        std::string lastKey {};
    };
    void beforeValue();
    void open(bool object);
    void close(bool object);
    void indent();
    void string(std::string_view utf8);

    Output &m_output;
    std::vector<Open> m_open;
    std::size_t m_outer = 0; // containers open around this writer's own
    bool m_afterKey = false;
};

} // namespace cli
