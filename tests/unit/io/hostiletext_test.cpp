// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Text that looks like something else: UTF-16 without a byte order mark, and characters
// that cannot be seen in a message (zero-width and no-break spaces, format characters).

#include "iotestsupport.h"

namespace {

using io::FileFormat;
using io::FileProblemKind;

const std::string kHeader
    = "activity,name,predecessors,normal_duration,crash_duration,crash_cost_per_unit\r\n";

// The text, ASCII or Thai, as UTF-16 of either byte order.
std::string utf16(const std::string &utf8, bool bigEndian)
{
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    std::string bytes;
    for (const QChar c : text) {
        const auto high = static_cast<char>(c.unicode() >> 8);
        const auto low = static_cast<char>(c.unicode() & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

TEST(HostileText, Utf16WithoutByteOrderMarkGetsTheHint)
{
    const std::string csv = kHeader + "A,\xE0\xB8\x82\xE0\xB8\xB8\xE0\xB8\x94,-,5,3,1000\r\n";
    const std::string kit = R"({"format": "crashkit-project", "version": 1, "activities": []})";
    const struct {
        const char *name;
        std::string text;
        FileFormat format;
    } cases[] = {
        {"CSV, little end first", utf16(csv, false), FileFormat::Csv},
        {"CSV, big end first", utf16(csv, true), FileFormat::Csv},
        {"a header alone", utf16("activity,predecessors", false), FileFormat::Csv},
        {".crashkit, little end first", utf16(kit, false), FileFormat::Crashkit},
        {".crashkit, big end first", utf16(kit, true), FileFormat::Crashkit},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const io::ReadResult result = iotest::readText(c.text, c.format);
        ASSERT_FALSE(result.isLoaded());
        ASSERT_EQ(result.problems().count(), 1) << result.message().toStdString();
        EXPECT_EQ(result.problems().kept().at(0).kind, FileProblemKind::Utf16Text);
        EXPECT_EQ(result.problems().kept().at(0).place.line, 1);
    }

    // A NUL or two in UTF-8 text are not UTF-16: the reader says what it finds there.
    const std::string nul("A,x\0y,-,5,3,1000\r\nB,\0,A,1,1,0\r\n", 30);
    const io::ReadResult withNul = iotest::readText(kHeader + nul);
    EXPECT_EQ(iotest::findProblem(withNul.problems(), FileProblemKind::Utf16Text), nullptr)
        << withNul.message().toStdString();
}

TEST(HostileText, InvisibleCharactersAreShownByTheirCodes)
{
    const struct {
        QString text;
        QString shown;
    } cases[] = {
        {u"A\u200B"_qs, u"A<U+200B>"_qs}, // zero-width space
        {u"\uFEFFA\uFEFF"_qs, u"<U+FEFF>A<U+FEFF>"_qs},
        {u"A\u00A0B"_qs, u"A<U+00A0>B"_qs}, // no-break space
        {u"A\u2060\u200C\u200D"_qs, u"A<U+2060><U+200C><U+200D>"_qs},
        {u"\u202Eabc"_qs, u"<U+202E>abc"_qs}, // right-to-left override
        {u"x\u00ADy\u3000z\u2028"_qs, u"x<U+00AD>y<U+3000>z<U+2028>"_qs},
        {u"\u0085"_qs, u"<U+0085>"_qs},
        {QString(QChar(0xD800)) + u"A"_qs, u"<U+D800>A"_qs},
        {u"\U000E0041"_qs, u"<U+E0041>"_qs}, // a tag character
        {u"a\tb\nc\x01"_qs, u"a\\tb\\nc\\x01"_qs},
        // What shows stays as it is: blanks, Thai with its marks, emoji with their selectors.
        {u"Dig here"_qs, u"Dig here"_qs},
        {u"\u0E02\u0E38\u0E14\u0E14\u0E34\u0E19\u0E49"_qs,
         u"\u0E02\u0E38\u0E14\u0E14\u0E34\u0E19\u0E49"_qs},
        {u"\U0001F477\u2764\uFE0F"_qs, u"\U0001F477\u2764\uFE0F"_qs},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(io::shownValue(c.text).toStdString(), c.shown.toStdString());
        if (c.text.isValidUtf16()) {
            EXPECT_EQ(io::shownValue(c.text.toStdString()).toStdString(), c.shown.toStdString());
        }
    }

    // Two ids that differ only by a zero-width space, and a predecessor with a no-break
    // space: the messages show where they differ.
    const io::ReadResult result
        = iotest::readText(kHeader
                           + "A\xE2\x80\x8B,,B,1,1,0\r\nA,,-,1,1,0\r\n"
                             "B,,A\xE2\x80\x8B,1,1,0\r\nC,,A\xC2\xA0,1,1,0\r\n");
    ASSERT_FALSE(result.isLoaded());
    const QString message = result.message();
    for (const QString &part :
         {u"plan.csv:2: activity A<U+200B>: predecessors: "_qs,
          u"cycle: A<U+200B> -> B -> A<U+200B>"_qs,
          u"plan.csv:5: activity C: predecessors: predecessor 'A<U+00A0>'"_qs})
        EXPECT_TRUE(message.contains(part)) << message.toStdString();
    EXPECT_FALSE(message.contains(u'\u200B') || message.contains(u'\u00A0'))
        << message.toStdString();
}

} // namespace
