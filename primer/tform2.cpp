// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "tform2.h"

#include "controls.h"
#include "fonts.h"
#include "windowmanagement.h"

#include <QFrame>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>

using platform::browalliaFont;
using platform::sarabunFont;

namespace {

const QColor kWindowColor(193, 242, 247);

// The tabs look like a row of push buttons: raised while not chosen, pressed in while
// chosen, and the page area has no frame of its own because every page has its bevel.
const char *const kPageControlStyle = R"(
QTabWidget::pane { border: none; }
QTabBar::tab {
    background: #f0f0f0;
    color: black;
    border: 2px outset #d4d4d4;
    border-radius: 2px;
    padding: 0px 4px;
    margin: 1px 3px 3px 0px;
}
QTabBar::tab:selected { background: #dcdcdc; border-style: inset; }
QTabBar::tab:hover:!selected { background: #f8f8f8; }
)";

} // namespace

TForm2::TForm2(QWidget *parent)
    : QWidget(parent,
              Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("การเร่งรัดกิจกรรมด้วย PERT/CPM"));
    setFont(sarabunFont(21));
    platform::setBackground(this, kWindowColor);
    platform::setOuterSize(this, QSize(1032, 776));
}

void TForm2::setVisible(bool visible)
{
    // The pages are many text blocks and pictures; they are built when the student first
    // opens the primer, which keeps the program's start quick. Building them before the
    // window turns visible lets them show with it.
    if (visible)
        ensureControls();
    QWidget::setVisible(visible);
}

void TForm2::ensureControls()
{
    if (m_pageControl)
        return;
    m_pageControl = platform::place(new QTabWidget(this), "PageControl1", QRect(17, 8, 999, 705));
    m_pageControl->setStyleSheet(QString::fromLatin1(kPageControlStyle));
    m_pageControl->tabBar()->setFont(browalliaFont(21));
    m_pageControl->tabBar()->setElideMode(Qt::ElideNone);
    m_pageControl->tabBar()->setUsesScrollButtons(false);
    m_pageControl->tabBar()->setDrawBase(false);

    m_tabSheet1 = addTabSheet("TabSheet1", QStringLiteral("          PERT/CPM           "));
    m_tabSheet2 = addTabSheet("TabSheet2", QStringLiteral(" องค์ประกอบ PERT/CPM   "));
    m_tabSheet3 = addTabSheet("TabSheet3", QStringLiteral("       การเร่งโครงการ          "));

    buildPertPages(m_tabSheet1);
    buildSymbolPages(m_tabSheet2);
    buildCrashingPages(m_tabSheet3);
    // Only the first page of each tab shows until a picture turns the page.
    for (QFrame *page : {m_panel126, m_panel4, m_panel5, m_panel43})
        page->hide();
}

QWidget *TForm2::addTabSheet(const char *name, const QString &caption)
{
    auto *sheet = new QWidget;
    sheet->setObjectName(QString::fromLatin1(name));
    platform::setBackground(sheet, kWindowColor);
    m_pageControl->addTab(sheet, caption);
    return sheet;
}

void TForm2::showEvent(QShowEvent *event)
{
    if (platform::isTurningVisible(event)) {
        FormShow();
        platform::centreOnDesktop(this);
    }
    QWidget::showEvent(event);
}

void TForm2::FormShow()
{
    ensureControls();
    m_panel4->hide();
    m_panel5->hide();
    m_panel43->hide();
    m_panel126->hide();
    m_pageControl->setCurrentWidget(m_tabSheet1);
}

void TForm2::Image2Click()
{
    ensureControls();
    m_panel4->hide();
    m_panel126->show();
}

void TForm2::Image43Click()
{
    ensureControls();
    m_panel4->show();
}

void TForm2::Image3Click()
{
    ensureControls();
    m_panel4->hide();
    m_panel126->hide();
}

void TForm2::Image1Click()
{
    ensureControls();
    m_panel5->show();
}

void TForm2::Image9Click()
{
    ensureControls();
    m_panel5->hide();
}

void TForm2::Panel76Click()
{
    ensureControls();
    m_panel5->hide();
}

void TForm2::Image16Click()
{
    ensureControls();
    m_panel43->show();
}

void TForm2::Image17Click()
{
    ensureControls();
    m_panel43->hide();
}
