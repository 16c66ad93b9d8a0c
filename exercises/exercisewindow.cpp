// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "exercisewindow.h"

#include "canvas.h"
#include "controls.h"
#include "guard.h"
#include "windowmanagement.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>

namespace {

const QString kGridCellPrefix = QStringLiteral("       ");

QString cellOf(const ActivityRow &row, int column)
{
    switch (column) {
    case 0:
        return row.activity;
    case 1:
        return row.predecessor;
    case 2:
        return row.normalDuration;
    case 3:
        return row.crashDuration;
    default:
        return row.crashCostPerDay;
    }
}

} // namespace

void ExerciseWindow::showEvent(QShowEvent *event)
{
    if (platform::isTurningVisible(event)) {
        if (m_set.placement == WindowPlacement::CentredOnDesktop)
            platform::centreOnDesktop(this);
        else
            move(m_set.designedPosition);
        platform::runGuarded([this] { FormShow(); });
    }
    QWidget::showEvent(event);
}

void ExerciseWindow::FormShow()
{
    ensureControls();
    ResetExercise();
    // A reopened window always starts usable: the edit button enabled, the build button
    // shown and the drawing area blank.
    m_bitBtn1->setEnabled(true);
    m_bitBtn5->setVisible(true);
    m_paintBox->erase();
}

void ExerciseWindow::ResetExercise()
{
    ensureControls();
    const int count = activityCount();
    for (int k = 1; k <= count; ++k)
        m_table.pristine(k) = builtInRow(m_set.practice.rows[static_cast<std::size_t>(k - 1)]);
    for (int k = 1; k <= count; ++k)
        m_table.working(k) = m_table.pristine(k);

    m_panel3->hide();
    m_bitBtn2->setEnabled(false);
    m_bitBtn3->setEnabled(false);

    const QStringList headers = {QString::fromUtf8(m_set.activityHeader),
                                 QStringLiteral("     ก่อนหน้า"), QStringLiteral("     ระยะปกติ"),
                                 QStringLiteral("     ระยะเร่ง"), QStringLiteral("   ค่าใช้จ่าย/วัน")};
    for (int column = 0; column < 5; ++column)
        m_grid->item(0, column)->setText(headers[column]);
    FillActivityGrid();

    clearLogsAndTotals();
    m_label53->setCaption(QStringLiteral("-"));
}

void ExerciseWindow::clearLogsAndTotals()
{
    m_listBox1->clear();
    m_listBox2->clear();
    m_edit28->setText(QStringLiteral("0"));
    m_edit29->setText(QStringLiteral("0"));
    m_label51->setCaption(QStringLiteral("0.00"));
}

void ExerciseWindow::FillActivityGrid()
{
    ensureControls();
    const QString prefix = m_set.gridCellPrefix ? kGridCellPrefix : QString();
    for (int k = 1; k <= activityCount(); ++k) {
        const ActivityRow &row = m_table.working(k);
        for (int column = 0; column < 5; ++column)
            m_grid->item(k, column)->setText(prefix + cellOf(row, column));
    }
}

void ExerciseWindow::connectHandlers()
{
    using platform::connectGuarded;
    connectGuarded(m_bitBtn1, &QPushButton::clicked, this, &ExerciseWindow::BitBtn1Click);
    connectGuarded(m_bitBtn2, &QPushButton::clicked, this, &ExerciseWindow::BitBtn2Click);
    connectGuarded(m_bitBtn3, &QPushButton::clicked, this, &ExerciseWindow::BitBtn3Click);
    connectGuarded(m_bitBtn4, &QPushButton::clicked, this, &ExerciseWindow::BitBtn4Click);
    connectGuarded(m_bitBtn5, &QPushButton::clicked, this, &ExerciseWindow::BitBtn5Click);
    connectGuarded(m_bitBtn6, &QPushButton::clicked, this, &ExerciseWindow::BitBtn6Click);
}
