// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QWidget>

class QFrame;
class QTabWidget;

// The illustrated primer on PERT, CPM and crashing: three tabs, each with a first page
// and one or two further pages that the student turns with clickable pictures. Closing
// the window only hides it; every time it turns visible it starts again at the first
// page of the first tab.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    // Only the window itself is made here; the tabs and pages are built the first time it
    // turns visible or one of the operations below runs.
    explicit TForm2(QWidget *parent = nullptr);

    void FormShow();
    void Image2Click();
    void Image43Click();
    void Image3Click();
    void Image1Click();
    void Image9Click();
    void Panel76Click();
    void Image16Click();
    void Image17Click();

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *addTabSheet(const char *name, const QString &caption);
    // Builds the tabs and their pages once; every public operation calls it first.
    void ensureControls();
    void buildPertPages(QWidget *sheet);
    void buildPertCpmPage(QWidget *sheet);
    void buildSymbolPages(QWidget *sheet);
    void buildExamplePage(QWidget *sheet);
    void buildCrashingPages(QWidget *sheet);
    void buildCrashingStepsPage(QWidget *sheet);

    QTabWidget *m_pageControl = nullptr;
    QWidget *m_tabSheet1 = nullptr;
    QWidget *m_tabSheet2 = nullptr;
    QWidget *m_tabSheet3 = nullptr;
    QFrame *m_panel2 = nullptr;
    QFrame *m_panel126 = nullptr;
    QFrame *m_panel4 = nullptr;
    QFrame *m_panel3 = nullptr;
    QFrame *m_panel5 = nullptr;
    QFrame *m_panel42 = nullptr;
    QFrame *m_panel43 = nullptr;
};
