// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>

// What the two random drivers share: options, a seeded generator, texts built to probe
// the whole-number conversion, and a second conversion written from its rules alone.

namespace fuzz {

struct Options {
    double seconds = 5.0;
    std::uint64_t seed = 1;
};

// "--seconds N" and "--seed S"; anything else ends the program with a usage line.
inline Options parseOptions(int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (hasValue && std::strcmp(argv[i], "--seconds") == 0) {
            options.seconds = std::atof(argv[++i]);
        } else if (hasValue && std::strcmp(argv[i], "--seed") == 0) {
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        } else {
            std::fprintf(stderr, "usage: %s [--seconds N] [--seed S]\n", argv[0]);
            std::exit(2);
        }
    }
    return options;
}

// A deterministic source of choices: the same seed gives the same sequence on every
// platform, since no standard distribution (whose algorithms differ) is used.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_engine(seed) { }

    // 0 .. n-1, n > 0.
    int below(int n) { return static_cast<int>(m_engine() % static_cast<std::uint64_t>(n)); }
    // lo .. hi inclusive.
    std::int64_t between(std::int64_t lo, std::int64_t hi)
    {
        const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
        return lo + static_cast<std::int64_t>(m_engine() % span);
    }
    bool percent(int chance) { return below(100) < chance; }
    std::uint64_t bits() { return m_engine(); }

    template<typename List> const auto &pick(const List &list)
    {
        return list[static_cast<std::size_t>(below(static_cast<int>(std::size(list))))];
    }

private:
    std::mt19937_64 m_engine;
};

// Runs until the time given by --seconds is up.
class Deadline {
public:
    explicit Deadline(double seconds)
        : m_end(std::chrono::steady_clock::now()
                + std::chrono::milliseconds(static_cast<std::int64_t>(seconds * 1000.0)))
    {
    }
    bool passed() const { return std::chrono::steady_clock::now() >= m_end; }

private:
    std::chrono::steady_clock::time_point m_end;
};

// The conversion rules applied step by step to the text: blanks (U+0020 only), an
// optional sign, then decimal digits, or hexadecimal digits after $, x, X, 0x or 0X; the
// value must fit 32 bits signed. The digits are checked for size by counting the
// significant ones, so no arithmetic ever sees a number larger than 2^36.
inline std::optional<std::int32_t> referenceWholeNumber(const QString &text)
{
    std::u16string s = text.toStdU16String();
    std::size_t at = s.find_first_not_of(u' ');
    if (at == std::u16string::npos)
        return std::nullopt;
    s.erase(0, at);

    bool negative = false;
    if (s[0] == u'+' || s[0] == u'-') {
        negative = s[0] == u'-';
        s.erase(0, 1);
    }
    int base = 10;
    if (s.starts_with(u"0x") || s.starts_with(u"0X")) {
        base = 16;
        s.erase(0, 2);
    } else if (s.starts_with(u"$") || s.starts_with(u"x") || s.starts_with(u"X")) {
        base = 16;
        s.erase(0, 1);
    }
    if (s.empty())
        return std::nullopt;

    const std::u16string decimal = u"0123456789";
    const std::u16string hex = u"0123456789abcdefABCDEF";
    if (s.find_first_not_of(base == 10 ? decimal : hex) != std::u16string::npos)
        return std::nullopt;

    const std::size_t firstSignificant = s.find_first_not_of(u'0');
    if (firstSignificant == std::u16string::npos)
        return 0;
    const std::u16string significant = s.substr(firstSignificant);
    // 2^31 has ten decimal and eight hexadecimal digits.
    if (significant.size() > (base == 10 ? 10u : 8u))
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (const char16_t c : significant) {
        const auto digit
            = static_cast<std::int64_t>(hex.find(c) < 16 ? hex.find(c) : hex.find(c) - 6);
        magnitude = magnitude * base + digit;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < -(std::int64_t {1} << 31) || value > (std::int64_t {1} << 31) - 1)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// A text as a printable line: ASCII as is, everything else as \uXXXX, long texts cut.
inline std::string printable(const QString &text)
{
    std::string out = "\"";
    const qsizetype shown = std::min<qsizetype>(text.size(), 120);
    for (qsizetype i = 0; i < shown; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x20 && c < 0x7f && c != u'"' && c != u'\\') {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
            out += escaped;
        }
    }
    out += '"';
    if (shown < text.size())
        out += "... (" + std::to_string(text.size()) + " characters)";
    return out;
}

// Small pieces that texts are built from: everything the conversion has a rule for, and
// characters that look like digits, signs or blanks but are not.
inline const QStringList &textPieces()
{
    static const QStringList pieces = [] {
        QStringList list = {u" "_qs,  u"  "_qs, u"+"_qs, u"-"_qs, u"$"_qs, u"x"_qs, u"X"_qs,
                            u"0x"_qs, u"0X"_qs, u"."_qs, u","_qs, u"e"_qs, u"E"_qs, u"a"_qs,
                            u"f"_qs,  u"A"_qs,  u"F"_qs, u"g"_qs, u"G"_qs, u"z"_qs, u"\t"_qs,
                            u"\n"_qs, u"\r"_qs, u"'"_qs, u"%1"_qs};
        for (char16_t d = u'0'; d <= u'9'; ++d)
            list << QString(QChar(d));
        const char16_t others[]
            = {0x0000, 0x00A0, 0x3000, 0x2007, 0x200B, 0xFEFF, 0x2212, 0xFF0B, 0xFF0D,
               0x00B2, 0x00B9, 0x0301, 0x0E50, 0x0E51, 0x0E55, 0x0E59, 0x0E01, 0x0E2D,
               0x0E40, 0x0E31, 0x0E34, 0x0E48, 0x0E4C, 0xFF10, 0xFF11, 0xFF19, 0xFF21,
               0x0660, 0x0669, 0x0966, 0x096F, 0x2460, 0xD800, 0xDC00, 0xFFFD, 0xFFFF};
        for (const char16_t c : others)
            list << QString(QChar(c));
        list << QString::fromUtf8("\xF0\x9F\x98\x80") // an emoji: a surrogate pair
             << QString::fromUtf8("เจ็ด") << QString::fromUtf8("๗") << u"seven"_qs;
        return list;
    }();
    return pieces;
}

inline QString digitRun(Random &random, int length, bool hex)
{
    static const char16_t hexDigits[] = u"0123456789abcdefABCDEF";
    QString run;
    run.reserve(length);
    for (int i = 0; i < length; ++i)
        run += QChar(hexDigits[random.below(hex ? 22 : 10)]);
    return run;
}

inline QString hexPrefix(Random &random)
{
    static const std::array<QString, 5> prefixes = {u"$"_qs, u"x"_qs, u"X"_qs, u"0x"_qs, u"0X"_qs};
    return random.pick(prefixes);
}

// A number near a limit of 32 or 64 bits, as decimal or hexadecimal text in any spelling.
inline QString boundaryText(Random &random)
{
    static const std::array<std::uint64_t, 10> anchors = {0,
                                                          1,
                                                          0x7FFFFFFFull,
                                                          0x80000000ull,
                                                          0xFFFFFFFFull,
                                                          0x100000000ull,
                                                          999999,
                                                          9999999999ull,
                                                          0x7FFFFFFFFFFFFFFFull,
                                                          0xFFFFFFFFFFFFFFF0ull};
    const std::uint64_t anchor = random.pick(anchors);
    const std::int64_t delta = random.between(-3, 3);
    const std::uint64_t value = delta < 0 && anchor < static_cast<std::uint64_t>(-delta)
        ? 0
        : anchor + static_cast<std::uint64_t>(delta);
    QString text(random.percent(20) ? random.below(4) : 0, u' ');
    if (random.percent(50))
        text += random.percent(70) ? u'-' : u'+';
    QString digits;
    if (random.percent(50)) {
        text += hexPrefix(random);
        digits = QString::number(value, 16);
        if (random.percent(50))
            digits = digits.toUpper();
    } else {
        digits = QString::number(value);
    }
    if (random.percent(20))
        digits.prepend(QString(random.below(30), u'0'));
    if (random.percent(5))
        digits = u"18446744073709551616"_qs; // 2^64
    return text + digits;
}

// A text shaped like a number: blanks, sign, prefix, digits, a limit, or a long run.
inline QString numberLikeText(Random &random)
{
    const int kind = random.below(7);
    if (kind == 5)
        return boundaryText(random);
    if (kind == 6) {
        const int length = random.percent(90) ? 10 + random.below(60) : 1000 + random.below(40000);
        QString text = (random.percent(50) ? QString(length, u'0') : QString()) + u'1'
            + digitRun(random, random.percent(50) ? 0 : length, random.percent(30));
        if (random.percent(30))
            text.prepend(hexPrefix(random));
        return text;
    }
    QString text(random.percent(70) ? 0 : random.below(5), u' ');
    if (random.percent(40))
        text += random.percent(50) ? u'-' : u'+';
    const bool hex = random.percent(35);
    if (hex)
        text += hexPrefix(random);
    if (random.percent(15))
        text += QString(random.below(12), u'0');
    return text
        + digitRun(random, 1 + random.below(random.percent(80) ? 9 : 12), hex || random.percent(5));
}

// One to three small changes: a piece inserted, a character removed or replaced.
inline QString mutated(Random &random, QString text)
{
    const QStringList &pieces = textPieces();
    for (int changes = 1 + random.below(3); changes > 0; --changes) {
        const auto at = static_cast<qsizetype>(random.below(static_cast<int>(text.size()) + 1));
        switch (random.below(3)) {
        case 0:
            text.insert(at, random.pick(pieces));
            break;
        case 1:
            text.remove(at, 1);
            break;
        default:
            text.replace(at, 1, random.pick(pieces));
            break;
        }
    }
    return text;
}

// Any text the conversion might meet, well-formed numbers more often than not.
inline QString randomText(Random &random)
{
    const int kind = random.below(10);
    if (kind < 6)
        return numberLikeText(random);
    if (kind < 9)
        return mutated(random, numberLikeText(random));
    QString soup;
    for (int count = random.below(12); count > 0; --count)
        soup += random.pick(textPieces());
    return soup;
}

} // namespace fuzz
