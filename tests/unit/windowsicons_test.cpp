// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The Windows icons the programs carry and the installer names: every size Windows asks for,
// read back by Qt's own ICO reader, the program's the same pictures as the desktop icons,
// the project file's a page.

#include "guiapplication.h"

#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <map>

namespace {

std::map<int, QImage> readIcon(const QString &name)
{
    QImageReader reader(QStringLiteral(CRASHKIT_SOURCE_DIR "/packaging/windows/") + name, "ico");
    std::map<int, QImage> images;
    for (int i = 0; i < reader.imageCount(); ++i) {
        if (!reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (!image.isNull())
            images[image.width()] = image.convertToFormat(QImage::Format_ARGB32);
    }
    return images;
}

int mostlyOpaquePixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) >= 128;
    return count;
}

TEST(WindowsIcons, HoldEverySizeSquareAndDrawn)
{
    ensureGuiApplication();
    for (const char *name : {"crashkit.ico", "crashkit-project.ico"}) {
        SCOPED_TRACE(name);
        const auto images = readIcon(QString::fromLatin1(name));
        std::vector<int> sizes;
        for (const auto &[size, image] : images) {
            sizes.push_back(size);
            EXPECT_EQ(image.height(), size);
            EXPECT_TRUE(image.hasAlphaChannel());
            // Drawn, not blank, and not a filled square either.
            const int opaque = mostlyOpaquePixels(image);
            EXPECT_GT(opaque, size * size / 5) << size;
            EXPECT_LT(opaque, size * size) << size;
        }
        EXPECT_EQ(sizes, (std::vector<int> {16, 24, 32, 48, 64, 128, 256}));
    }
}

TEST(WindowsIcons, ProgramIconIsTheDesktopIcon)
{
    ensureGuiApplication();
    const auto images = readIcon(QStringLiteral("crashkit.ico"));
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage desktop(QStringLiteral(CRASHKIT_SOURCE_DIR
                                            "/packaging/icons/hicolor/%1x%1/apps/"
                                            "example.c_seed_def725b8.crashkit.png")
                                 .arg(size));
        ASSERT_FALSE(desktop.isNull());
        ASSERT_EQ(images.count(size), 1u);
        EXPECT_EQ(images.at(size), desktop.convertToFormat(QImage::Format_ARGB32));
    }
}

TEST(WindowsIcons, ProjectFileIconIsAPageWithAFoldedCorner)
{
    ensureGuiApplication();
    const QImage page = readIcon(QStringLiteral("crashkit-project.ico")).at(256);
    // The page's left margin is white paper, top to bottom; beyond its edges and in the
    // folded-off corner there is nothing.
    for (const int y : {20, 128, 236})
        EXPECT_EQ(page.pixel(48, y), qRgba(252, 252, 250, 255)) << y;
    EXPECT_EQ(qAlpha(page.pixel(10, 128)), 0);
    EXPECT_EQ(qAlpha(page.pixel(250, 128)), 0);
    EXPECT_EQ(qAlpha(page.pixel(250, 4)), 0);
}

} // namespace
