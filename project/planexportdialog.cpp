// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "planexportdialog.h"

#include "controlnames.h"
#include "crashingpanel.h"
#include "thaitext.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace project {

PlanExportDialog::PlanExportDialog(const QString &target, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PlanExportDialog"));
    setWindowTitle(QStringLiteral("ส่งออกแผนไปยัง Microsoft Project"));

    m_plan = named(new QComboBox, "exportPlanChoice", QStringLiteral("แผนที่จะส่งออก"));
    m_plan->addItem(QStringLiteral("แผนที่เวลาปกติ"));
    const QString goal = target.isEmpty() ? QStringLiteral("(ยังไม่มีเป้าหมายที่เร่งถึงได้)") : target;
    m_plan->addItem(QStringLiteral("เร่งตามวิธีในตำราถึงเป้าหมาย %1").arg(goal));
    m_plan->addItem(QStringLiteral("เร่งด้วยค่าเร่งต่ำสุดถึงเป้าหมาย %1").arg(goal));
    if (target.isEmpty()) {
        auto *items = qobject_cast<QStandardItemModel *>(m_plan->model());
        for (int row = 1; row <= 2; ++row)
            items->item(row)->setEnabled(false);
    }
    m_start = named(new QDateEdit(QDate::currentDate()), "exportStartDate",
                    QStringLiteral("วันเริ่มโครงการ"));
    m_start->setCalendarPopup(true);
    m_start->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("แผน"), m_plan);
    form->addRow(QStringLiteral("วันเริ่มโครงการ"), m_start);
    m_hint = new QLabel;
    m_hint->setWordWrap(true);
    describeProject(thaiUnitWord(engine::TimeUnit::Day), true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("ส่งออก"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ยกเลิก"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_hint);
    layout->addWidget(buttons);
}

void PlanExportDialog::describeProject(const QString &unitWord, bool greedyApplies)
{
    m_hint->setText(QStringLiteral("งานทำวันจันทร์ถึงศุกร์ วันละ 8 ชั่วโมง ระยะเวลาเป็น%1 "
                                   "แผนที่เร่งแล้วมีแผนเวลาปกติเป็นแผนฐาน (baseline)")
                        .arg(unitWord));
    if (greedyApplies)
        return;
    auto *items = qobject_cast<QStandardItemModel *>(m_plan->model());
    QStandardItem *greedy = items->item(static_cast<int>(ExportedPlan::Greedy));
    greedy->setEnabled(false);
    greedy->setToolTip(greedyUnavailableText());
    if (plan() == ExportedPlan::Greedy)
        setPlan(ExportedPlan::Normal);
}

ExportedPlan PlanExportDialog::plan() const
{
    return static_cast<ExportedPlan>(m_plan->currentIndex());
}

void PlanExportDialog::setPlan(ExportedPlan plan)
{
    m_plan->setCurrentIndex(static_cast<int>(plan));
}

QDate PlanExportDialog::startDate() const
{
    return m_start->date();
}

void PlanExportDialog::setStartDate(QDate date)
{
    m_start->setDate(date);
}

} // namespace project
