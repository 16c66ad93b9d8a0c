// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "guitestsupport.h"
#include "referencemodel.h"

#include "canvas.h"
#include "exercisewindow.h"
#include "fonts.h"
#include "tform1.h"
#include "tforms.h"
#include "windowmanagement.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>
#include <map>
#include <utility>

using guitest::addSets;
using guitest::child;
using guitest::exerciseForm;
using guitest::reopen;
using platform::browalliaFont;
using platform::PaintBox;

namespace {

// The edit panel's edit numbers per activity, A first: normal duration, crash duration, cost.
constexpr int kEditNumbers[9][3]
    = {{1, 2, 3},    {4, 5, 6},    {7, 9, 11},   {8, 10, 12}, {13, 14, 15},
       {16, 17, 18}, {19, 20, 21}, {22, 23, 24}, {25, 26, 27}};

struct Caption {
    bool present = false; // the control shows a text of its own
    QString problem; // empty when the text fits
};

// Whether a label's or a button's text fits its control in the control's own font: the
// label's text within its width (2 px to spare for the font's side bearings) and its
// height (its ink), the button's text beside its glyph with the style's 4 px between them.
Caption captionOf(const QWidget *control)
{
    Caption caption;
    QString text;
    int room = 0;
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        text = label->text();
        room = label->contentsRect().width() + 2;
    } else if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        text = button->text();
        room = button->width() - button->iconSize().width() - 4;
    }
    if (text.isEmpty())
        return caption;
    caption.present = true;
    const QFontMetrics metrics(control->font());
    const int width = metrics.horizontalAdvance(text);
    if (width > room)
        caption.problem = QStringLiteral("%1: \"%2\" takes %3 px of %4")
                              .arg(control->objectName(), text)
                              .arg(width)
                              .arg(room);
    else if (const int ink = metrics.tightBoundingRect(text).height(); ink > control->height())
        caption.problem = QStringLiteral("%1: \"%2\" is %3 px high in %4")
                              .arg(control->objectName(), text)
                              .arg(ink)
                              .arg(control->height());
    return caption;
}

} // namespace

class ExerciseWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        guitest::startProgram();
        Form1->show();
    }
    void cleanupTestCase() { destroyForms(); }

    void gridAfterShow_data() { addSets(); }
    void gridAfterShow()
    {
        QFETCH(int, set);
        ExerciseWindow *window = exerciseForm(set);
        reopen(window);
        const SetDefinition &data = window->set();
        auto *grid = child<QTableWidget>(window, "StringGrid1");
        const int rows[] = {11, 9, 7, 11, 9};
        QCOMPARE(grid->rowCount(), rows[set - 1]);
        QCOMPARE(grid->columnCount(), 5);
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);

        const bool wide = set == 2 || set == 5;
        const QStringList headers
            = {wide ? QStringLiteral("           กิจกรรม") : QStringLiteral("     กิจกรรม"),
               QStringLiteral("     ก่อนหน้า"), QStringLiteral("     ระยะปกติ"),
               QStringLiteral("     ระยะเร่ง"), QStringLiteral("   ค่าใช้จ่าย/วัน")};
        for (int column = 0; column < 5; ++column)
            QCOMPARE(grid->item(0, column)->text(), headers[column]);

        const QString prefix = wide ? QString() : QString(7, u' ');
        const int count = static_cast<int>(data.practice.rows.size());
        const int activities[] = {9, 8, 6, 6, 8};
        QCOMPARE(count, activities[set - 1]);
        const std::vector<ActivityRow> builtIn = testsupport::builtInRows(data.practice);
        for (int k = 1; k <= count; ++k) {
            const ActivityRow &row = builtIn[static_cast<std::size_t>(k - 1)];
            const QString cells[] = {row.activity, row.predecessor, row.normalDuration,
                                     row.crashDuration, row.crashCostPerDay};
            for (int column = 0; column < 5; ++column)
                QCOMPARE(grid->item(k, column)->text(), prefix + cells[column]);
        }
        for (int k = count + 1; k < grid->rowCount(); ++k) {
            for (int column = 0; column < 5; ++column)
                QVERIFY(grid->item(k, column)->text().isEmpty());
        }
        // The header row cannot be selected, data cells can; nothing can be typed.
        QVERIFY(!(grid->item(0, 0)->flags() & Qt::ItemIsSelectable));
        QVERIFY(grid->item(1, 0)->flags() & Qt::ItemIsSelectable);
        QVERIFY(!(grid->item(1, 0)->flags() & Qt::ItemIsEditable));
        QCOMPARE(grid->rowHeight(1), set == 2 || set == 5 ? 29 : 25);
        for (int column = 0; column < 5; ++column)
            QCOMPARE(grid->columnWidth(column),
                     data.columnWidths[static_cast<std::size_t>(column)]);
    }

    void spotChecksOfTheFirstShow()
    {
        reopen(Form3);
        auto *grid = child<QTableWidget>(Form3, "StringGrid1");
        const QStringList rowA = {"A", "-", "7", "6", "150"};
        for (int column = 0; column < 5; ++column)
            QCOMPARE(grid->item(1, column)->text(), QStringLiteral("       ") + rowA[column]);
        QCOMPARE(grid->item(9, 0)->text(), QStringLiteral("       I"));
        QCOMPARE(grid->item(8, 1)->text(), QStringLiteral("       D , E"));
        QVERIFY(grid->item(10, 0)->text().isEmpty());

        reopen(Form4);
        grid = child<QTableWidget>(Form4, "StringGrid1");
        QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("A-รวบรวมความต้องการ"));
        QCOMPARE(grid->item(1, 4)->text(), QStringLiteral("2200"));
        QCOMPARE(grid->item(8, 1)->text(), QStringLiteral("E, G"));

        reopen(Form6);
        QCOMPARE(child<QTableWidget>(Form6, "StringGrid1")->item(6, 1)->text(),
                 QStringLiteral("       D,E"));
    }

    void resetStateOfEveryControl_data() { addSets(); }
    void resetStateOfEveryControl()
    {
        QFETCH(int, set);
        ExerciseWindow *window = exerciseForm(set);
        // Leave the window in a used state, then close and reopen it.
        reopen(window);
        child<QListWidget>(window, "ListBox1")->addItem(QStringLiteral("old"));
        child<QListWidget>(window, "ListBox2")->addItem(QStringLiteral("old"));
        child<QLineEdit>(window, "Edit28")->setText(QStringLiteral("28"));
        child<QLineEdit>(window, "Edit29")->setText(QStringLiteral("32"));
        child<QWidget>(window, "Panel3")->show();
        child<QPushButton>(window, "BitBtn1")->setEnabled(false);
        child<QPushButton>(window, "BitBtn2")->setEnabled(true);
        child<QPushButton>(window, "BitBtn3")->setEnabled(true);
        child<QPushButton>(window, "BitBtn5")->hide();
        window->activityTable().working(1).normalDuration = QStringLiteral("1");
        window->activityTable().pristine(1).normalDuration = QStringLiteral("99");
        reopen(window);

        QCOMPARE(child<QListWidget>(window, "ListBox1")->count(), 0);
        QCOMPARE(child<QListWidget>(window, "ListBox2")->count(), 0);
        QCOMPARE(child<QLineEdit>(window, "Edit28")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLineEdit>(window, "Edit29")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLabel>(window, "Label51")->text(), QStringLiteral("0.00"));
        QCOMPARE(child<QLabel>(window, "Label53")->text(), QStringLiteral("-"));
        QVERIFY(!child<QWidget>(window, "Panel3")->isVisible());
        QVERIFY(child<QPushButton>(window, "BitBtn1")->isEnabled());
        QVERIFY(!child<QPushButton>(window, "BitBtn2")->isEnabled());
        QVERIFY(!child<QPushButton>(window, "BitBtn3")->isEnabled());
        QVERIFY(child<QPushButton>(window, "BitBtn4")->isEnabled());
        QVERIFY(child<QPushButton>(window, "BitBtn5")->isVisible());
        QVERIFY(child<QPushButton>(window, "BitBtn6")->isEnabled());
        // Every row as built in again, the one the test changed included.
        const std::vector<ActivityRow> builtIn = testsupport::builtInRows(window->set().practice);
        QCOMPARE(static_cast<std::size_t>(window->activityCount()), builtIn.size());
        for (int k = 1; k <= window->activityCount(); ++k) {
            const ActivityRow &expected = builtIn[static_cast<std::size_t>(k - 1)];
            for (const ActivityRow *row :
                 {&window->activityTable().working(k), &window->activityTable().pristine(k)}) {
                QCOMPARE(row->activity, expected.activity);
                QCOMPARE(row->predecessor, expected.predecessor);
                QCOMPARE(row->normalDuration, expected.normalDuration);
                QCOMPARE(row->crashDuration, expected.crashDuration);
                QCOMPARE(row->crashCostPerDay, expected.crashCostPerDay);
            }
        }
        // Rows beyond the last activity are never written.
        const int m = window->activityTable().capacity();
        for (int k = window->activityCount() + 1; k <= m; ++k) {
            QVERIFY(window->activityTable().pristine(k).activity.isEmpty());
            QVERIFY(window->activityTable().working(k).normalDuration.isEmpty());
        }
        // The drawing area is blank: every pixel the panel's white.
        const QImage picture = child<PaintBox>(window, "PaintBox1")->canvas().image();
        QCOMPARE(picture.pixelColor(picture.width() / 2, picture.height() / 2), QColor(Qt::white));
    }

    void analysisAndCrashingStartAtZero_data() { addSets(); }
    void analysisAndCrashingStartAtZero()
    {
        QFETCH(int, set);
        const ExerciseWindow *window = exerciseForm(set);
        const AnalysisState &analysis = window->analysis();
        for (int path = 0; path < 4; ++path) {
            QCOMPARE(analysis.pathLength[static_cast<std::size_t>(path)], 0);
            QCOMPARE(analysis.pathCrashLength[static_cast<std::size_t>(path)], 0);
            QVERIFY(pathMarker(analysis, static_cast<std::size_t>(path)).isEmpty());
        }
        QCOMPARE(analysis.projectDuration, 0);
        QCOMPARE(analysis.criticalPath, 0);
        QCOMPARE(analysis.minimumDuration, 0);
        QCOMPARE(window->crashing().targetDuration, 0);
        QCOMPARE(window->crashing().remainingReduction, 0);
        QCOMPARE(window->crashing().checkRound, 0);
        QCOMPARE(window->crashing().totalCrashCost, engine::practice::CostTotal());
    }

    // What can go wrong when a layout is edited: a control that sticks out of its panel, two
    // controls drawn over each other, a caption cut off. The containers are the window and
    // its three panels; their named children are the controls.
    void controlsFitTogether_data() { addSets(); }
    void controlsFitTogether()
    {
        QFETCH(int, set);
        ExerciseWindow *window = exerciseForm(set);
        reopen(window);
        // Laid over each other on purpose, with the most they may overlap (in px, -1: any).
        std::map<std::pair<QString, QString>, int> stacked = {
            // The edit panel opens over the left panel's grid and buttons; hidden otherwise.
            {{QStringLiteral("Panel1"), QStringLiteral("Panel3")}, -1},
            // The build button stands on the drawing area until the first build hides it.
            {{QStringLiteral("BitBtn5"), QStringLiteral("PaintBox1")}, -1},
            // The grid's caption: the lower edge of its box reaches into the grid's frame.
            {{QStringLiteral("Label47"), QStringLiteral("StringGrid1")}, 2},
            // The minimum-duration hint starts inside the box of the target prompt above it.
            {{QStringLiteral("Label49"), QStringLiteral("Label53")}, 9},
            // The frameless project duration field touches the target field below it.
            {{QStringLiteral("Edit28"), QStringLiteral("Edit29")}, 1},
        };
        // The edit panel's lines are 29 px apart and its edit boxes 31 px high: the boxes of
        // one column share their frame lines with the next line's.
        for (int activity = 0; activity + 1 < window->activityCount(); ++activity) {
            for (int column = 0; column < 3; ++column) {
                const QString upper = QStringLiteral("Edit%1").arg(kEditNumbers[activity][column]);
                const QString lower
                    = QStringLiteral("Edit%1").arg(kEditNumbers[activity + 1][column]);
                stacked[{std::min(upper, lower), std::max(upper, lower)}] = 2;
            }
        }
        QList<QWidget *> containers = {window};
        for (const char *panel : {"Panel1", "Panel2", "Panel3"})
            containers << child<QWidget>(window, panel);
        int checked = 0;
        QStringList problems;
        for (QWidget *container : containers) {
            QList<QWidget *> controls;
            for (QObject *object : container->children()) {
                auto *control = qobject_cast<QWidget *>(object);
                if (control && !control->isWindow() && !control->objectName().isEmpty())
                    controls << control;
            }
            QVERIFY(!controls.isEmpty());
            for (qsizetype a = 0; a < controls.size(); ++a) {
                const QWidget *control = controls[a];
                const QString name = control->objectName();
                if (!container->rect().contains(control->geometry()))
                    problems
                        << QStringLiteral("%1 sticks out of %2").arg(name, container->objectName());
                for (qsizetype b = a + 1; b < controls.size(); ++b) {
                    const QString other = controls[b]->objectName();
                    const QRect overlap = control->geometry() & controls[b]->geometry();
                    if (overlap.isEmpty())
                        continue;
                    const auto allowed
                        = stacked.find({std::min(name, other), std::max(name, other)});
                    if (allowed == stacked.end()
                        || (allowed->second >= 0 && overlap.height() > allowed->second))
                        problems << QStringLiteral("%1 overlaps %2 by %3x%4 px")
                                        .arg(name, other)
                                        .arg(overlap.width())
                                        .arg(overlap.height());
                }
                if (const Caption caption = captionOf(control); caption.present) {
                    ++checked;
                    if (!caption.problem.isEmpty())
                        problems << caption.problem;
                }
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
        QVERIFY(checked >= 10);

        // Parents as designed: the edit panel belongs to the window and lies above the grid.
        const ExerciseLayout &at = window->set().layout;
        QCOMPARE(child<QWidget>(window, "StringGrid1")->parentWidget()->objectName(),
                 QStringLiteral("Panel1"));
        QCOMPARE(child<QWidget>(window, "Edit28")->parentWidget()->objectName(),
                 QStringLiteral("Panel2"));
        QCOMPARE(child<QWidget>(window, "Panel3")->parentWidget(), window);
        const QObjectList order = window->children();
        QVERIFY(order.indexOf(child<QWidget>(window, "Panel3"))
                > order.indexOf(child<QWidget>(window, "Panel1")));

        // Auto-sized labels: Label53 keeps its left edge, Label51 its right edge.
        auto *label53 = child<QLabel>(window, "Label53");
        QCOMPARE(label53->pos(), at.label53.topLeft());
        auto *label51 = child<QLabel>(window, "Label51");
        QCOMPARE(label51->geometry().right(), at.label51.right());
        QCOMPARE(label51->y(), at.label51.y());
        QVERIFY(label51->width()
                >= label51->fontMetrics().horizontalAdvance(QStringLiteral("0.00")));

        // Colours and fonts that differ per set.
        QCOMPARE(child<QWidget>(window, "Panel2")->palette().color(QPalette::Window),
                 window->set().panel2Color);
        QCOMPARE(child<QWidget>(window, "ListBox1")->palette().color(QPalette::Base),
                 window->set().listBox1Color);
        QCOMPARE(label51->palette().color(QPalette::WindowText), window->set().label51TextColor);
        QCOMPARE(child<QWidget>(window, "BitBtn5")->font(), browalliaFont(set == 4 ? 19 : 21));
        QCOMPARE(child<QWidget>(window, "Label47")->font(),
                 browalliaFont(set == 5 ? 21 : 24, true));
        QCOMPARE(child<QWidget>(window, "Label52")->font(),
                 browalliaFont(set == 5 ? 21 : 19, true));
        if (window->set().windowColor)
            QCOMPARE(window->palette().color(QPalette::Window), *window->set().windowColor);
        QVERIFY(!child<QLineEdit>(window, "Edit29")->hasFrame());
    }

    void editPanelLinesAndTabOrder_data() { addSets(); }
    void editPanelLinesAndTabOrder()
    {
        QFETCH(int, set);
        ExerciseWindow *window = exerciseForm(set);
        const EditPanelLayout &at = window->set().editPanel;
        const int count = window->activityCount();
        auto *panel = child<QWidget>(window, "Panel3");
        for (int activity = 0; activity < count; ++activity) {
            const int top = at.firstEditTop + 29 * activity;
            const QRect expected[3] = {{224, top, 41, 31},
                                       {328, top, 41, 31},
                                       {at.costEditLeft, top, at.costEditWidth, 31}};
            for (int i = 0; i < 3; ++i) {
                const QByteArray name
                    = QStringLiteral("Edit%1").arg(kEditNumbers[activity][i]).toLatin1();
                auto *edit = child<QLineEdit>(panel, name.constData());
                QVERIFY2(edit, name.constData());
                QCOMPARE(edit->geometry(), expected[i]);
                QCOMPARE(edit->font(), browalliaFont(19));
            }
        }
        // No edit box for activities the set does not have.
        QCOMPARE(panel->findChildren<QLineEdit *>().size(), 3 * count);
        QCOMPARE(child<QLabel>(panel, "Label1")->text(), QString::fromUtf8(at.heading));
        QCOMPARE(child<QLabel>(panel, "Label1")->pos(), at.headingAt);
        QCOMPARE(child<QLabel>(panel, "Label1")->font(), browalliaFont(set == 3 ? 19 : 21, true));

        // Tab order follows the edit numbers: C normal leads to D normal.
        auto *edit7 = child<QWidget>(panel, "Edit7");
        QCOMPARE(edit7->nextInFocusChain()->objectName(), QStringLiteral("Edit8"));
        QCOMPARE(child<QWidget>(panel, "Edit8")->nextInFocusChain()->objectName(),
                 QStringLiteral("Edit9"));
        QCOMPARE(child<QWidget>(panel, "Edit1")->nextInFocusChain()->objectName(),
                 QStringLiteral("Edit2"));
    }

    void captionsFitTheirBoxes_data() { addSets(); }
    void captionsFitTheirBoxes()
    {
        QFETCH(int, set);
        ExerciseWindow *window = exerciseForm(set);
        for (const char *name : {"Label47", "Label48", "Label49", "Label50", "Label52"}) {
            auto *label = child<QLabel>(window, name);
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width() + 2,
                     name);
        }
        for (const char *name :
             {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5", "BitBtn6"}) {
            auto *button = child<QPushButton>(window, name);
            const int content = button->fontMetrics().horizontalAdvance(button->text())
                + button->iconSize().width() + 4;
            QVERIFY2(content <= button->width(), name);
            QVERIFY2(!button->icon().isNull(), name);
        }
    }

    // A window builds its controls at its first show; an operation that runs before that
    // builds them first and does its work as usual.
    void operationsWorkOnAWindowNeverShown_data() { addSets(); }
    void operationsWorkOnAWindowNeverShown()
    {
        QFETCH(int, set);
        ExerciseWindow window(setDefinition(set));
        QVERIFY(window.findChildren<QWidget *>().isEmpty());
        window.ResetExercise();
        window.BitBtn5Click();
        QVERIFY(!window.isVisible());
        const int duration = guitest::longestRoute(&window);
        QCOMPARE(window.analysis().projectDuration, duration);
        QCOMPARE(child<QLineEdit>(&window, "Edit29")->text(), QString::number(duration));
        QVERIFY(child<QTableWidget>(&window, "StringGrid1")
                    ->item(1, 0)
                    ->text()
                    .trimmed()
                    .startsWith(u'A'));
        // Showing it later starts it afresh, with the controls built once.
        const qsizetype controls = window.findChildren<QWidget *>().size();
        platform::showModeless(&window);
        QCOMPARE(window.findChildren<QWidget *>().size(), controls);
        QCOMPARE(child<QLineEdit>(&window, "Edit29")->text(), QStringLiteral("0"));
    }
};

QTEST_MAIN(ExerciseWindowTest)
#include "exercisewindow_test.moc"
