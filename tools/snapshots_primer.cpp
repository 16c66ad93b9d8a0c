// Primer-window pages for the snapshot tool: one picture per page, turned as a student
// turns them.

#include "forms.h"
#include "tform2.h"
#include "windows.h"

#include <QDir>
#include <QTabWidget>

#include <cstdio>

namespace {

void savePage(QWidget *window, const QString &outputDir, const QString &page)
{
    const QString path = QDir(outputDir).filePath(QStringLiteral("form2-primer-%1.png").arg(page));
    if (window->grab().save(path))
        std::printf("%s\n", qPrintable(path));
    else
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
}

} // namespace

void snapshotPrimer(const QString &outputDir)
{
    TForm2 *primer = Form2;
    auto *tabs = primer->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    platform::showModeless(primer);

    savePage(primer, outputDir, QStringLiteral("1-panel2"));
    primer->Image2Click();
    savePage(primer, outputDir, QStringLiteral("2-panel126"));
    primer->Image43Click();
    savePage(primer, outputDir, QStringLiteral("3-panel4"));
    primer->Image3Click();

    tabs->setCurrentIndex(1);
    savePage(primer, outputDir, QStringLiteral("4-panel3"));
    primer->Image1Click();
    savePage(primer, outputDir, QStringLiteral("5-panel5"));
    primer->Image9Click();

    tabs->setCurrentIndex(2);
    savePage(primer, outputDir, QStringLiteral("6-panel42"));
    primer->Image16Click();
    savePage(primer, outputDir, QStringLiteral("7-panel43"));
    primer->Image17Click();

    primer->hide();
}
