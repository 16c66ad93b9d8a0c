#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

struct FamilyChoice {
    QString family;
    int stretch = QFont::Unstretched;
};

// Laksaman (TLWG) is drawn from TH Sarabun New and measures like TH SarabunPSK. It runs
// about 1.35 times wider than BrowalliaUPC at the same pixel size, so as a Browallia
// stand-in it is condensed horizontally; Thai marks stay in place.
constexpr int kBrowalliaStandInStretch = 70;

FamilyChoice choose(const QString &wanted, const QStringList &standIns, int standInStretch)
{
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(wanted, Qt::CaseInsensitive))
        return {wanted, QFont::Unstretched};
    for (const QString &standIn : standIns) {
        if (installed.contains(standIn, Qt::CaseInsensitive))
            return {standIn, standInStretch};
    }
    return {wanted, standInStretch};
}

const FamilyChoice &browallia()
{
    static const FamilyChoice choice =
        choose(QStringLiteral("BrowalliaUPC"),
               {QStringLiteral("Laksaman"), QStringLiteral("TH Sarabun New"),
                QStringLiteral("Garuda")},
               kBrowalliaStandInStretch);
    return choice;
}

const FamilyChoice &sarabun()
{
    static const FamilyChoice choice =
        choose(QStringLiteral("TH SarabunPSK"),
               {QStringLiteral("TH Sarabun New"), QStringLiteral("Laksaman"),
                QStringLiteral("Garuda")},
               QFont::Unstretched);
    return choice;
}

QFont make(const FamilyChoice &choice, int pixelHeight, bool bold)
{
    QFont font(choice.family);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    font.setStretch(choice.stretch);
    font.setStyleStrategy(QFont::PreferAntialias);
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

QString browalliaFamilyInUse()
{
    return browallia().family;
}

QString sarabunFamilyInUse()
{
    return sarabun().family;
}
