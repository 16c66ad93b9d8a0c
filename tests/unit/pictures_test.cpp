// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "glyph.h"
#include "guiapplication.h"
#include "jpeg.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImageWriter>
#include <QPainter>
#include <QPixmap>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using platform::decodeJpeg;
using platform::glyphFromStrip;

namespace {

QString assetPath(const QString &relative)
{
    return QStringLiteral(CRASHKIT_SOURCE_DIR "/assets/") + relative;
}

QByteArray readAsset(const QString &relative)
{
    QFile file(assetPath(relative));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray encoded(const QImage &image, const char *format, bool progressive = false)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        return {};
    return buffer.data();
}

QByteArray randomBytes(quint32 seed, int size)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char &byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes;
}

bool nearlyWhite(QRgb pixel)
{
    return qRed(pixel) >= 235 && qGreen(pixel) >= 235 && qBlue(pixel) >= 235;
}

// Share of near-white pixels in a square of the given side with its top-left corner at (left, top).
double whiteShare(const QImage &image, int left, int top, int side)
{
    int white = 0;
    for (int y = top; y < top + side; ++y)
        for (int x = left; x < left + side; ++x)
            white += nearlyWhite(image.pixel(x, y)) ? 1 : 0;
    return static_cast<double>(white) / (side * side);
}

// A colourful test card with large flat areas, so a lossy round trip keeps each area's colour.
QImage testCard()
{
    QImage card(64, 48, QImage::Format_RGB32);
    card.fill(Qt::white);
    QPainter painter(&card);
    painter.fillRect(0, 0, 32, 24, QColor(200, 30, 30));
    painter.fillRect(32, 0, 32, 24, QColor(30, 160, 60));
    painter.fillRect(0, 24, 32, 24, QColor(40, 60, 200));
    return card;
}

} // namespace

TEST(PictureTest, GearDecodesAtItsSizeWhiteAtTheCornersAndDrawnInTheMiddle)
{
    const QByteArray bytes = readAsset(QStringLiteral("main/gear.jpg"));
    ASSERT_FALSE(bytes.isEmpty()) << "missing " << assetPath("main/gear.jpg").toStdString();
    const QImage gear = decodeJpeg(bytes);
    ASSERT_FALSE(gear.isNull());
    EXPECT_EQ(gear.width(), 201);
    EXPECT_EQ(gear.height(), 202);

    // It sits on a white panel, so its corners must blend in.
    constexpr int corner = 16;
    for (const QPoint origin : {QPoint(0, 0), QPoint(201 - corner, 0), QPoint(0, 202 - corner),
                                QPoint(201 - corner, 202 - corner)}) {
        EXPECT_GT(whiteShare(gear, origin.x(), origin.y(), corner), 0.9)
            << "corner at " << origin.x() << "," << origin.y();
    }
    EXPECT_LT(whiteShare(gear, 70, 71, 60), 0.3);
}

TEST(JpegDecodeTest, DecodesBaselineProgressiveAndGreyscaleFiles)
{
    const QImage card = testCard();
    struct Case {
        const char *name;
        QImage source;
        bool progressive;
    };
    const std::vector<Case> cases {
        {"baseline colour", card, false},
        {"progressive colour", card, true},
        {"greyscale", card.convertToFormat(QImage::Format_Grayscale8), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes = encoded(c.source, "JPG", c.progressive);
        ASSERT_FALSE(bytes.isEmpty());
        const QImage decoded = decodeJpeg(bytes);
        ASSERT_FALSE(decoded.isNull());
        ASSERT_EQ(decoded.size(), card.size());
        const QImage expected = c.source.convertToFormat(QImage::Format_RGB32);
        for (const QPoint probe :
             {QPoint(16, 12), QPoint(48, 12), QPoint(16, 36), QPoint(48, 36)}) {
            const QRgb want = expected.pixel(probe);
            const QRgb got = decoded.pixel(probe);
            EXPECT_LE(std::abs(qRed(want) - qRed(got)), 12) << probe.x() << "," << probe.y();
            EXPECT_LE(std::abs(qGreen(want) - qGreen(got)), 12) << probe.x() << "," << probe.y();
            EXPECT_LE(std::abs(qBlue(want) - qBlue(got)), 12) << probe.x() << "," << probe.y();
        }
    }
}

TEST(JpegDecodeTest, RejectsDataThatIsNoCompleteJpeg)
{
    const QByteArray gear = readAsset(QStringLiteral("main/gear.jpg"));
    ASSERT_GT(gear.size(), 1000);

    struct Case {
        std::string name;
        QByteArray data;
    };
    std::vector<Case> cases {
        {"empty", QByteArray()},
        {"start-of-image marker only", QByteArray("\xFF\xD8", 2)},
        {"png", encoded(testCard(), "PNG")},
    };
    for (const int size : {1, 2, 3, 17, 512, 4096, 70000}) {
        cases.push_back({"random " + std::to_string(size), randomBytes(quint32(size), size)});
        // Between genuine start- and end-of-image markers the bytes reach the decoder's
        // marker parser.
        cases.push_back({"marker and random " + std::to_string(size),
                         QByteArray("\xFF\xD8", 2) + randomBytes(quint32(size) + 1u, size)});
        cases.push_back({"markers around random " + std::to_string(size),
                         QByteArray("\xFF\xD8", 2) + randomBytes(quint32(size) + 2u, size)
                             + QByteArray("\xFF\xD9", 2)});
    }
    for (const qsizetype cut :
         {qsizetype(4), qsizetype(20), qsizetype(200), qsizetype(600), gear.size() / 3,
          gear.size() / 2, gear.size() * 9 / 10, gear.size() - 2, gear.size() - 1}) {
        cases.push_back({"gear cut at " + std::to_string(cut), gear.left(cut)});
    }
    ASSERT_FALSE(cases[2].data.isEmpty()) << "could not encode the png";

    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(decodeJpeg(c.data).isNull());
    }
}

TEST(JpegDecodeTest, SurvivesCorruptedScanData)
{
    const QByteArray gear = readAsset(QStringLiteral("main/gear.jpg"));
    ASSERT_GT(gear.size(), 1000);
    QRandomGenerator random(1234);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        QByteArray damaged = gear;
        // The middle third is entropy-coded scan data; markers and tables stay intact.
        const int count = 1 + round % 8;
        for (int i = 0; i < count; ++i) {
            const auto at = static_cast<qsizetype>(
                random.bounded(quint32(gear.size() / 3), quint32(gear.size() * 2 / 3)));
            damaged[at] = static_cast<char>(random.bounded(256));
        }
        const QImage decoded = decodeJpeg(damaged);
        if (!decoded.isNull()) {
            EXPECT_EQ(decoded.size(), QSize(201, 202));
        }
    }
}

class GlyphTest : public ::testing::Test {
protected:
    // QPixmap needs a GUI application; none of the logic tests create one.
    static void SetUpTestSuite() { ensureGuiApplication(); }

    void SetUp() override
    {
        ASSERT_NE(qobject_cast<QGuiApplication *>(QCoreApplication::instance()), nullptr);
    }

    static QImage stateImage(const QIcon &icon, QIcon::Mode mode)
    {
        return icon.pixmap(QSize(16, 16), mode).toImage().convertToFormat(QImage::Format_ARGB32);
    }

    static bool opaqueInTheMiddle(const QImage &image)
    {
        for (int y = 4; y < 12; ++y)
            for (int x = 4; x < 12; ++x)
                if (qAlpha(image.pixel(x, y)) == 255)
                    return true;
        return false;
    }

    static bool opaquePixelsAreGrey(const QImage &image)
    {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (qAlpha(pixel) == 255
                    && (std::abs(qRed(pixel) - qGreen(pixel)) > 4
                        || std::abs(qGreen(pixel) - qBlue(pixel)) > 4))
                    return false;
            }
        }
        return true;
    }
};

TEST_F(GlyphTest, EveryButtonStripGivesANormalAndAGreyedDisabledImage)
{
    for (const char *name : {"build", "edit", "cancel", "save", "startover", "crash"}) {
        SCOPED_TRACE(name);
        const QImage strip(assetPath(QStringLiteral("glyphs/%1.bmp").arg(QLatin1String(name))));
        ASSERT_FALSE(strip.isNull());
        ASSERT_EQ(strip.size(), QSize(32, 16));
        // Each half keys its own background, so both must agree on the key colour.
        EXPECT_EQ(strip.pixel(0, 15), strip.pixel(16, 15));

        const QIcon icon = glyphFromStrip(strip);
        const QImage normal = stateImage(icon, QIcon::Normal);
        const QImage disabled = stateImage(icon, QIcon::Disabled);
        ASSERT_EQ(normal.size(), QSize(16, 16));
        ASSERT_EQ(disabled.size(), QSize(16, 16));

        for (const QImage &image : {normal, disabled}) {
            EXPECT_EQ(qAlpha(image.pixel(0, 15)), 0);
            EXPECT_TRUE(opaqueInTheMiddle(image));
        }
        EXPECT_NE(normal, disabled);
        EXPECT_FALSE(opaquePixelsAreGrey(normal)) << "the normal image should have colour";
        EXPECT_TRUE(opaquePixelsAreGrey(disabled));

        // Every pixel of the key colour, not only the corner, is see-through.
        const QRgb key = strip.pixel(0, 15);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (strip.pixel(x, y) == key) {
                    EXPECT_EQ(qAlpha(normal.pixel(x, y)), 0) << x << "," << y;
                }
            }
        }
    }
}

TEST_F(GlyphTest, SingleImageGetsAGreyedCopyAndNullGivesNoIcon)
{
    QImage square(16, 16, QImage::Format_RGB32);
    square.fill(QColor(255, 0, 255));
    QPainter(&square).fillRect(3, 3, 10, 10, QColor(220, 20, 20));

    const QIcon icon = glyphFromStrip(square);
    const QImage normal = stateImage(icon, QIcon::Normal);
    const QImage disabled = stateImage(icon, QIcon::Disabled);
    EXPECT_EQ(qAlpha(normal.pixel(0, 15)), 0);
    EXPECT_EQ(qAlpha(disabled.pixel(0, 15)), 0);
    EXPECT_EQ(normal.pixel(8, 8), qRgb(220, 20, 20));
    EXPECT_TRUE(opaqueInTheMiddle(disabled));
    EXPECT_TRUE(opaquePixelsAreGrey(disabled));

    EXPECT_TRUE(glyphFromStrip(QImage()).isNull());
}
