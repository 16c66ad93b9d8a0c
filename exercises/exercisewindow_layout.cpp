// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Building the controls of an exercise window from its set's layout data.

#include "exercisewindow.h"

#include "canvas.h"
#include "controls.h"
#include "fonts.h"
#include "glyph.h"
#include "windowmanagement.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

using platform::browalliaFont;
using platform::glyphResource;
using platform::makeGlyphButton;
using platform::makeLabel;
using platform::PaintBox;
using platform::place;

namespace {

QString utf8(const char *text)
{
    return QString::fromUtf8(text);
}

// Edit box names of the edit panel, per activity (A first): normal, crash, cost. Rows C
// and D interleave, so the tab order (by number) runs C normal, D normal, C crash, ...
constexpr std::array<std::array<int, 3>, 9> kEditNumbers = {{
    {1, 2, 3},
    {4, 5, 6},
    {7, 9, 11},
    {8, 10, 12},
    {13, 14, 15},
    {16, 17, 18},
    {19, 20, 21},
    {22, 23, 24},
    {25, 26, 27},
}};

QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

} // namespace

ExerciseWindow::ExerciseWindow(const SetDefinition &set, QWidget *parent)
    : QWidget(parent, Qt::Window), m_set(set), m_table(set.practice.capacity)
{
    setObjectName(QStringLiteral("Form%1").arg(set.practice.number + 2));
    setWindowTitle(utf8(set.caption));
    setFont(browalliaFont(21));
    platform::setBackground(this, windowColor());
    platform::setOuterSize(this, set.outerSize);
}

void ExerciseWindow::setVisible(bool visible)
{
    // Built before the window turns visible, so that the controls show with it.
    if (visible)
        ensureControls();
    QWidget::setVisible(visible);
}

void ExerciseWindow::ensureControls()
{
    if (m_panel1)
        return;
    buildLeftPanel();
    buildRightPanel();
    buildEditPanel();
    connectHandlers();
}

QColor ExerciseWindow::windowColor() const
{
    return m_set.windowColor.value_or(buttonFace());
}

void ExerciseWindow::buildLeftPanel()
{
    const ExerciseLayout &at = m_set.layout;
    m_panel1 = platform::makePanel(this, "Panel1", at.panel1, Qt::white, platform::Bevel::Lowered);

    m_paintBox = place(new PaintBox(m_panel1), "PaintBox1", at.paintBox1);
    m_paintBox->canvas().setFont(browalliaFont(24, true));

    m_bitBtn5 = makeGlyphButton(m_panel1, "BitBtn5", at.bitBtn5, QStringLiteral("สร้าง PERT/CPM"),
                                browalliaFont(m_set.bitBtn5FontPx),
                                glyphResource(QStringLiteral(":/glyphs/build.bmp")));
    makeLabel(m_panel1, "Label47", at.label47, QStringLiteral("ตารางงานของโครงการ"),
              browalliaFont(m_set.label47FontPx, true));

    m_grid
        = place(new QTableWidget(m_set.gridRowCount, 5, m_panel1), "StringGrid1", at.stringGrid1);
    m_grid->setFont(browalliaFont(21));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setMinimumSectionSize(1);
    m_grid->verticalHeader()->setDefaultSectionSize(m_set.gridRowHeight);
    m_grid->horizontalHeader()->setMinimumSectionSize(1);
    for (int column = 0; column < 5; ++column)
        m_grid->setColumnWidth(column, m_set.columnWidths[static_cast<std::size_t>(column)]);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setShowGrid(true);
    m_grid->setWordWrap(false);
    m_grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Row 0 is the fixed header row, drawn like the toolkit's header cells.
    for (int row = 0; row < m_set.gridRowCount; ++row) {
        for (int column = 0; column < 5; ++column) {
            auto *cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            if (row == 0) {
                cell->setFlags(Qt::ItemIsEnabled);
                cell->setBackground(buttonFace());
            } else {
                cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            m_grid->setItem(row, column, cell);
        }
    }

    const QFont buttonFont = browalliaFont(19);
    m_bitBtn1 = makeGlyphButton(m_panel1, "BitBtn1", at.bitBtn1, QStringLiteral("ปรับเปลี่ยนค่าใช้จ่าย"),
                                buttonFont, glyphResource(QStringLiteral(":/glyphs/edit.bmp")));
    m_bitBtn2 = makeGlyphButton(m_panel1, "BitBtn2", at.bitBtn2, QStringLiteral("ยกเลิกการปรับเปลี่ยน"),
                                buttonFont, glyphResource(QStringLiteral(":/glyphs/cancel.bmp")));
    m_bitBtn3 = makeGlyphButton(m_panel1, "BitBtn3", at.bitBtn3, QStringLiteral("บันทึกการปรับเปลี่ยน"),
                                buttonFont, glyphResource(QStringLiteral(":/glyphs/save.bmp")));
    m_bitBtn6
        = makeGlyphButton(m_panel1, "BitBtn6", at.bitBtn6, QStringLiteral("เริ่มใหม่"), buttonFont,
                          glyphResource(QStringLiteral(":/glyphs/startover.bmp")));
}

void ExerciseWindow::buildRightPanel()
{
    const ExerciseLayout &at = m_set.layout;
    m_panel2 = platform::makePanel(this, "Panel2", at.panel2, m_set.panel2Color,
                                   platform::Bevel::Lowered);
    const QFont bold21 = browalliaFont(21, true);
    makeLabel(m_panel2, "Label48", at.label48, QStringLiteral("ตลอดทั้งโครงการใช้เวลาทั้งสิ้น  : "),
              bold21);

    m_edit29 = platform::makeEdit(m_panel2, "Edit29", at.edit29, QStringLiteral("0"), bold21);
    m_edit29->setFrame(false);
    platform::setFieldColor(m_edit29, m_set.panel2Color);

    makeLabel(m_panel2, "Label49", at.label49, QStringLiteral("โปรดระบุจำนวนระยะเวลาที่ต้องการเร่ง : "),
              bold21);
    m_edit28
        = platform::makeEdit(m_panel2, "Edit28", at.edit28, QStringLiteral("0"), browalliaFont(21));

    m_label53 = new platform::AutoSizeLabel(m_panel2, "Label53", at.label53, false);
    m_label53->setFont(bold21);

    m_bitBtn4
        = makeGlyphButton(m_panel2, "BitBtn4", at.bitBtn4, QStringLiteral("เริ่มดำเนินการเร่งรัด"),
                          browalliaFont(19), glyphResource(QStringLiteral(":/glyphs/crash.bmp")));

    m_listBox1 = platform::makeListBox(m_panel2, "ListBox1", at.listBox1, browalliaFont(19), 23,
                                       m_set.listBox1Color);
    m_listBox1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_listBox2 = platform::makeListBox(m_panel2, "ListBox2", at.listBox2, browalliaFont(19), 23,
                                       Qt::white);
    m_listBox2->setFrameStyle(QFrame::Box | QFrame::Plain);

    makeLabel(m_panel2, "Label50", at.label50, QStringLiteral("สรุปค่าใช้จ่ายในการเร่งโครงการ"),
              browalliaFont(19, true));
    m_label51 = new platform::AutoSizeLabel(m_panel2, "Label51", at.label51, true);
    m_label51->setFont(bold21);
    platform::setTextColor(m_label51, m_set.label51TextColor);
    QLabel *label52 = makeLabel(m_panel2, "Label52", at.label52, QStringLiteral("บาท"),
                                browalliaFont(m_set.label52FontPx, true));
    label52->setAlignment(Qt::AlignRight | Qt::AlignTop);
}

void ExerciseWindow::buildEditPanel()
{
    const EditPanelLayout &at = m_set.editPanel;
    m_panel3 = platform::makePanel(this, "Panel3", m_set.layout.panel3, buttonFace(),
                                   platform::Bevel::Lowered);
    m_panel3->raise();
    const QString heading = utf8(at.heading);
    makeLabel(m_panel3, "Label1",
              QRect(at.headingAt, QSize(m_panel3->width() - at.headingAt.x() - 4, 29)), heading,
              browalliaFont(at.headingFontPx, true));

    const QFont font19 = browalliaFont(19);
    const QFont bold19 = browalliaFont(19, true);
    const QString unit = utf8(at.unit);
    QWidget *previous = nullptr;
    std::vector<QLineEdit *> byNumber(28, nullptr);
    for (int activity = 0; activity < activityCount(); ++activity) {
        const int top = at.firstEditTop + 29 * activity;
        const int captionTop = top + 1;
        const QChar letter(u'A' + activity);
        const auto &numbers = kEditNumbers[static_cast<std::size_t>(activity)];
        auto name = [](int number) { return QStringLiteral("Edit%1").arg(number).toLatin1(); };
        auto captionName = [activity](const char *what) {
            return QStringLiteral("%1%2").arg(QLatin1String(what)).arg(activity + 1).toLatin1();
        };

        makeLabel(m_panel3, captionName("ActivityCaption").constData(),
                  QRect(at.nameLeft, captionTop, 70, 25), QStringLiteral("กิจกรรม ") + letter,
                  bold19);
        makeLabel(m_panel3, captionName("NormalCaption").constData(),
                  QRect(at.normalCaptionLeft, captionTop, 224 - at.normalCaptionLeft - 2, 23),
                  QStringLiteral("ระยะเวลาปกติ"), font19);
        makeLabel(m_panel3, captionName("CrashCaption").constData(),
                  QRect(at.crashCaptionLeft, captionTop, 328 - at.crashCaptionLeft - 2, 23),
                  QStringLiteral("เวลาเร่ง"), font19);
        makeLabel(
            m_panel3, captionName("CostCaption").constData(),
            QRect(at.costCaptionLeft, captionTop, at.costEditLeft - at.costCaptionLeft - 2, 23),
            QStringLiteral("ค่าใช้จ่ายเร่ง"), font19);
        makeLabel(m_panel3, captionName("UnitCaption").constData(),
                  QRect(at.unitLeft, captionTop, at.unitWidth + 8, 23), unit, font19);

        std::array<QLineEdit *, 3> edits {};
        edits[0] = platform::makeEdit(m_panel3, name(numbers[0]).constData(),
                                      QRect(224, top, 41, 31), QStringLiteral("0"), font19);
        edits[1] = platform::makeEdit(m_panel3, name(numbers[1]).constData(),
                                      QRect(328, top, 41, 31), QStringLiteral("0"), font19);
        edits[2] = platform::makeEdit(m_panel3, name(numbers[2]).constData(),
                                      QRect(at.costEditLeft, top, at.costEditWidth, 31),
                                      QStringLiteral("0"), font19);
        for (std::size_t i = 0; i < 3; ++i)
            byNumber[static_cast<std::size_t>(numbers[i])] = edits[i];
        m_rowEdits.push_back(edits);
    }
    // Tab order by edit number.
    for (QLineEdit *edit : byNumber) {
        if (!edit)
            continue;
        if (previous)
            setTabOrder(previous, edit);
        previous = edit;
    }
}
