// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The fonts a copy of the program carries, and the platform it starts Qt with on Windows.

#include "fonts.h"
#include "guiapplication.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

struct PlatformCase {
    const char *name;
    QByteArray environment;
    QStringList arguments;
    std::optional<QByteArray> expected;
};

class WindowsPlatform : public ::testing::TestWithParam<PlatformCase> { };

TEST_P(WindowsPlatform, FreeTypeUnlessTheUserChose)
{
    const PlatformCase &c = GetParam();
    EXPECT_EQ(platform::windowsPlatformWithFontEngine(c.environment, c.arguments), c.expected);
}

const QByteArray kWindowsFreeType = "windows:fontengine=freetype";

INSTANTIATE_TEST_SUITE_P(
    Choices, WindowsPlatform,
    ::testing::Values(
        PlatformCase {"NothingSet", "", {}, kWindowsFreeType},
        PlatformCase {"OnlyBlanks", "  ", {}, kWindowsFreeType},
        PlatformCase {"PlainWindows", "windows", {}, kWindowsFreeType},
        PlatformCase {"WindowsWithAnOption",
                      "windows:darkmode=1",
                      {},
                      QByteArray("windows:darkmode=1:fontengine=freetype")},
        PlatformCase {"UserChoseGdi", "windows:fontengine=gdi", {}, std::nullopt},
        PlatformCase {"UserChoseDirectWrite",
                      "windows:darkmode=2:fontengine=directwrite",
                      {},
                      std::nullopt},
        PlatformCase {"Offscreen", "offscreen", {}, std::nullopt},
        PlatformCase {"ALookAlikeName", "windowsx", {}, std::nullopt},
        PlatformCase {"PlatformOnTheCommandLine", "", {"-platform", "minimal"}, std::nullopt},
        PlatformCase {"PlatformAfterAFile",
                      "",
                      {"plan.crashkit", "--platform", "windows"},
                      std::nullopt},
        PlatformCase {"OnlyAFile", "", {"plan.crashkit"}, kWindowsFreeType}),
    [](const ::testing::TestParamInfo<PlatformCase> &param) { return param.param.name; });

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

TEST(BundledFonts, AddsTheFontsAndNamesWhatIsNotAFont)
{
    ensureGuiApplication();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QFile::copy(QStringLiteral(CRASHKIT_TEST_THAI_FONT), folder.filePath("thai.ttf")))
        << CRASHKIT_TEST_THAI_FONT;
    write(folder.filePath("broken.ttf"), QByteArray(4096, '\x5a'));
    write(folder.filePath("empty.otf"), QByteArray());
    write(folder.filePath("notes.txt"), "not looked at");

    QStringList refused;
    const QStringList families = platform::addBundledFonts(folder.path(), &refused);
    EXPECT_EQ(families, QStringList {QStringLiteral("Laksaman")});
    EXPECT_EQ(refused, (QStringList {QStringLiteral("broken.ttf"), QStringLiteral("empty.otf")}));
}

TEST(BundledFonts, AMissingFolderAddsNothing)
{
    ensureGuiApplication();
    QTemporaryDir parent;
    QStringList refused;
    EXPECT_TRUE(platform::addBundledFonts(parent.filePath("no-such-folder"), &refused).isEmpty());
    EXPECT_TRUE(refused.isEmpty());
}

} // namespace
