// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "fonts.h"

#include <QDir>
#include <QFontDatabase>
#include <QStringList>

#include <cmath>

namespace platform {
namespace {

struct FamilyChoice {
    QString family;
    double sizeScale = 1.0; // stand-in pixel size per designed pixel size
    int stretch = QFont::Unstretched;
};

// The stand-in is Laksaman (TLWG), drawn from TH Sarabun New. Its stacked Thai marks
// reach 1.29 em above the baseline and its line box is 1.67 em high, while BrowalliaUPC
// fits its text into about 1.3 em and runs about 1.35 times narrower. Drawn at 78 % of
// the size and condensed to 90 % width it fills the designed labels, list lines and
// text boxes as BrowalliaUPC does.
constexpr double kBrowalliaScale = 0.78;
constexpr int kBrowalliaStretch = 90;
// Against TH SarabunPSK it is slightly taller; 88 % keeps 32 px captions inside their
// 36 px boxes.
constexpr double kSarabunScale = 0.88;

const QStringList &standIns()
{
    static const QStringList families
        = {QStringLiteral("Laksaman"), QStringLiteral("TH Sarabun New"), QStringLiteral("Garuda"),
           QStringLiteral("Loma")};
    return families;
}

FamilyChoice choose(const QString &wanted, double scale, int stretch)
{
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(wanted, Qt::CaseInsensitive))
        return {wanted};
    for (const QString &standIn : standIns()) {
        if (installed.contains(standIn, Qt::CaseInsensitive))
            return {standIn, scale, stretch};
    }
    return {wanted};
}

const FamilyChoice &browallia()
{
    static const FamilyChoice choice
        = choose(QStringLiteral("BrowalliaUPC"), kBrowalliaScale, kBrowalliaStretch);
    return choice;
}

const FamilyChoice &sarabun()
{
    static const FamilyChoice choice
        = choose(QStringLiteral("TH SarabunPSK"), kSarabunScale, QFont::Unstretched);
    return choice;
}

QFont make(const FamilyChoice &choice, int pixelHeight, bool bold)
{
    QFont font(choice.family);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelHeight * choice.sizeScale))));
    font.setBold(bold);
    font.setStretch(choice.stretch);
    font.setStyleStrategy(QFont::PreferAntialias);
    // Unhinted glyphs keep their designed advances, so a caption is as wide on every
    // desktop whatever its hinting settings, and the designed boxes fit the same way
    // everywhere. They also render several times faster, which the start-up feels.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

QFont browalliaFont(int pixelHeight, bool bold)
{
    return make(browallia(), pixelHeight, bold);
}

QFont sarabunFont(int pixelHeight, bool bold)
{
    return make(sarabun(), pixelHeight, bold);
}

QStringList addBundledFonts(const QString &folder, QStringList *refused)
{
    QStringList families;
    const QDir dir(folder);
    const QStringList files = dir.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")},
                                            QDir::Files | QDir::Readable, QDir::Name);
    for (const QString &file : files) {
        const int id = QFontDatabase::addApplicationFont(dir.absoluteFilePath(file));
        if (id < 0) {
            if (refused)
                refused->append(file);
            continue;
        }
        for (const QString &family : QFontDatabase::applicationFontFamilies(id))
            if (!families.contains(family))
                families.append(family);
    }
    return families;
}

std::optional<QByteArray> windowsPlatformWithFontEngine(const QByteArray &environment,
                                                        const QStringList &arguments)
{
    for (const QString &argument : arguments)
        if (argument == QLatin1String("-platform") || argument == QLatin1String("--platform"))
            return std::nullopt;
    static const QByteArray freeType = QByteArrayLiteral("fontengine=freetype");
    const QByteArray chosen = environment.trimmed();
    if (chosen.isEmpty())
        return QByteArrayLiteral("windows:") + freeType;
    // Qt separates a platform's options with colons: "windows:darkmode=1".
    const QList<QByteArray> parts = chosen.split(':');
    if (parts.front() != "windows")
        return std::nullopt;
    for (const QByteArray &part : parts)
        if (part.startsWith("fontengine="))
            return std::nullopt;
    return chosen + ':' + freeType;
}

} // namespace platform
