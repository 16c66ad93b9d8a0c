// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Primer-window pages for the snapshot tool: one picture per page, turned as a student
// turns them.

#include "forms.h"
#include "snapshotfile.h"
#include "tform2.h"
#include "windowmanagement.h"

#include <QDir>
#include <QTabWidget>

#include <cstdio>

void snapshotPrimer(const QString &outputDir)
{
    TForm2 *primer = Form2;
    // The primer's pages exist once it has been shown.
    platform::showModeless(primer);
    auto *tabs = primer->findChild<QTabWidget *>(QStringLiteral("PageControl1"));

    saveSnapshot(primer, outputDir, QStringLiteral("form2-primer-1-panel2"));
    primer->Image2Click();
    saveSnapshot(primer, outputDir, QStringLiteral("form2-primer-2-panel126"));
    primer->Image43Click();
    saveSnapshot(primer, outputDir, QStringLiteral("form2-primer-3-panel4"));
    primer->Image3Click();

    tabs->setCurrentIndex(1);
    saveSnapshot(primer, outputDir, QStringLiteral("form2-primer-4-panel3"));
    primer->Image1Click();
    saveSnapshot(primer, outputDir, QStringLiteral("form2-primer-5-panel5"));
    primer->Image9Click();

    tabs->setCurrentIndex(2);
    saveSnapshot(primer, outputDir, QStringLiteral("form2-primer-6-panel42"));
    primer->Image16Click();
    saveSnapshot(primer, outputDir, QStringLiteral("form2-primer-7-panel43"));
    primer->Image17Click();

    primer->hide();
}
