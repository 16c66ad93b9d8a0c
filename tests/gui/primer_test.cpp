// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "controls.h"
#include "fonts.h"
#include "guitestsupport.h"
#include "referencemodel.h"
#include "tform2.h"
#include "windowmanagement.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <map>

using platform::browalliaFont;
using platform::sarabunFont;

namespace {

const QStringList kFurtherPages = {QStringLiteral("Panel126"), QStringLiteral("Panel4"),
                                   QStringLiteral("Panel5"), QStringLiteral("Panel43")};

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

class PrimerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowAndPageGeometry();
    void tabCaptionsKeepTheirBlanks();
    void pageTurning_data();
    void pageTurning();
    void showingAgainStartsAtTheFirstPage_data();
    void showingAgainStartsAtTheFirstPage();
    void raisingAVisibleWindowKeepsItsState();
    void pageTurnsWorkOnAWindowNeverShown();
    void nextPageCaptionDoesNothing_data();
    void nextPageCaptionDoesNothing();
    void styleTwoDrawingClosesOnlyOnItsBackground_data();
    void styleTwoDrawingClosesOnlyOnItsBackground();
    void switchingTabsKeepsTheOpenPage();
    void textTypedIntoABlockSurvivesAReset();
    void headings_data();
    void headings();
    void activityTable();
    void crashingTable();
    void crashingTextsAgreeWithTheTable();
    void everyPictureIsDecoded();
    void pagesShowEverythingUnclipped_data();
    void pagesShowEverythingUnclipped();

private:
    template<typename T = QWidget> T *find(const QString &name) const
    {
        T *found = m_form->findChild<T *>(name);
        if (!found)
            qWarning("no widget %s", qPrintable(name));
        return found;
    }
    QLabel *labelWithText(const QString &page, const QString &caption) const;
    QString openPages() const;
    QString topPage() const;
    void selectTab(int index);
    void click(const QString &name);
    void runClicks(const QStringList &names);
    QString cell(const char *grid, int row, int column) const;

    TForm2 *m_form = nullptr;
};

void PrimerTest::initTestCase()
{
    guitest::prepareApplication();
}

void PrimerTest::init()
{
    m_form = new TForm2;
    platform::showModeless(m_form);
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void PrimerTest::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

QLabel *PrimerTest::labelWithText(const QString &page, const QString &caption) const
{
    const QList<QLabel *> labels = find(page)->findChildren<QLabel *>();
    const auto it = std::find_if(labels.begin(), labels.end(),
                                 [&](QLabel *label) { return label->text() == caption; });
    return it == labels.end() ? nullptr : *it;
}

// "<tab index>:<further pages shown, in a fixed order>"
QString PrimerTest::openPages() const
{
    QStringList open;
    for (const QString &page : kFurtherPages) {
        if (!find(page)->isHidden())
            open << page;
    }
    return QString::number(find<QTabWidget>(QStringLiteral("PageControl1"))->currentIndex())
        + QLatin1Char(':') + open.join(QLatin1Char(','));
}

// The page a student sees: the one under the middle of the current tab sheet.
QString PrimerTest::topPage() const
{
    QWidget *sheet = find<QTabWidget>(QStringLiteral("PageControl1"))->currentWidget();
    for (QWidget *w = sheet->childAt(sheet->rect().center()); w; w = w->parentWidget()) {
        if (w->parentWidget() == sheet)
            return w->objectName();
    }
    return QString();
}

void PrimerTest::selectTab(int index)
{
    QTabBar *bar = find<QTabWidget>(QStringLiteral("PageControl1"))->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

// Clicks a control as a student would; "Panel76" means an empty spot of that panel.
void PrimerTest::click(const QString &name)
{
    QWidget *widget = find(name);
    QVERIFY2(widget && widget->isVisible(), qPrintable(name + QStringLiteral(" is not visible")));
    QPoint at = widget->rect().center();
    if (name == QLatin1String("Panel76")) {
        at = QPoint(8, 8);
        QVERIFY(widget->childAt(at) == nullptr);
    }
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

void PrimerTest::runClicks(const QStringList &names)
{
    for (const QString &name : names) {
        if (name.startsWith(QLatin1String("tab")))
            selectTab(name.mid(3).toInt());
        else
            click(name);
    }
}

QString PrimerTest::cell(const char *grid, int row, int column) const
{
    QWidget *table = find(QString::fromLatin1(grid));
    auto *label = table->findChild<QLabel *>(QStringLiteral("r%1c%2").arg(row).arg(column));
    return label ? label->text() : QStringLiteral("<missing>");
}

void PrimerTest::windowAndPageGeometry()
{
    QCOMPARE(m_form->windowTitle(), text("การเร่งรัดกิจกรรมด้วย PERT/CPM"));
    QCOMPARE(m_form->size(), platform::clientSizeFor(QSize(1032, 776)));
    const Qt::WindowFlags flags = m_form->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(m_form->palette().color(QPalette::Window), QColor(193, 242, 247));
    QCOMPARE(m_form->font(), sarabunFont(21));
    auto *tabs = find<QTabWidget>(QStringLiteral("PageControl1"));
    QCOMPARE(tabs->geometry(), QRect(17, 8, 999, 705));
    QCOMPARE(tabs->tabBar()->font(), browalliaFont(21));

    const std::map<QString, QRect> bounds = {
        {QStringLiteral("Panel2"), {0, 0, 990, 655}},
        {QStringLiteral("Panel126"), {1, 0, 990, 655}},
        {QStringLiteral("Panel4"), {1, -1, 990, 656}},
        {QStringLiteral("Panel3"), {0, 1, 990, 657}},
        {QStringLiteral("Panel5"), {0, 0, 989, 658}},
        {QStringLiteral("Panel42"), {0, 10, 989, 651}},
        {QStringLiteral("Panel43"), {1, 10, 988, 651}},
    };
    for (const auto &[name, rect] : bounds) {
        auto *page = find<QFrame>(name);
        QCOMPARE(page->geometry(), rect);
        QCOMPARE(page->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(page->frameShadow(), QFrame::Sunken);
    }

    // Closing only hides: the window and its state live on.
    QPointer<TForm2> guard(m_form);
    QVERIFY(m_form->close());
    QVERIFY(guard && m_form->isHidden());
}

void PrimerTest::tabCaptionsKeepTheirBlanks()
{
    auto *tabs = find<QTabWidget>(QStringLiteral("PageControl1"));
    QCOMPARE(tabs->count(), 3);
    const QStringList captions
        = {text("          PERT/CPM           "), text(" องค์ประกอบ PERT/CPM   "),
           text("       การเร่งโครงการ          ")};
    for (int index = 0; index < 3; ++index) {
        QCOMPARE(tabs->widget(index)->objectName(), QStringLiteral("TabSheet%1").arg(index + 1));
        QCOMPARE(tabs->tabText(index), captions[index]);
    }
}

void PrimerTest::pageTurning_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("states");
    QTest::addColumn<QStringList>("tops");

    QTest::newRow("first tab: on, on, cross returns to the first page")
        << QStringList {"Image2", "Image43", "Image3"}
        << QStringList {"0:Panel126", "0:Panel126,Panel4", "0:"}
        << QStringList {"Panel126", "Panel4", "Panel2"};
    QTest::newRow("second tab: on and cross")
        << QStringList {"tab1", "Image1", "Image9"} << QStringList {"1:", "1:Panel5", "1:"}
        << QStringList {"Panel3", "Panel5", "Panel3"};
    QTest::newRow("second tab: on and the drawing's background")
        << QStringList {"tab1", "Image1", "Panel76"} << QStringList {"1:", "1:Panel5", "1:"}
        << QStringList {"Panel3", "Panel5", "Panel3"};
    QTest::newRow("third tab: on and cross")
        << QStringList {"tab2", "Image16", "Image17"} << QStringList {"2:", "2:Panel43", "2:"}
        << QStringList {"Panel42", "Panel43", "Panel42"};
}

void PrimerTest::pageTurning()
{
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, states);
    QFETCH(QStringList, tops);
    QCOMPARE(openPages(), QStringLiteral("0:"));
    QCOMPARE(topPage(), QStringLiteral("Panel2"));
    for (int step = 0; step < clicks.size(); ++step) {
        runClicks({clicks[step]});
        QCOMPARE(openPages(), states[step]);
        QCOMPARE(topPage(), tops[step]);
    }
}

void PrimerTest::showingAgainStartsAtTheFirstPage_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("before");

    QTest::newRow("third page of the first tab")
        << QStringList {"Image2", "Image43"} << QStringLiteral("0:Panel126,Panel4");
    QTest::newRow("second page of the first tab")
        << QStringList {"Image2"} << QStringLiteral("0:Panel126");
    QTest::newRow("second tab left open")
        << QStringList {"tab1", "Image1"} << QStringLiteral("1:Panel5");
    QTest::newRow("every tab turned")
        << QStringList {"Image2", "Image43", "tab1", "Image1", "tab2", "Image16"}
        << QStringLiteral("2:Panel126,Panel4,Panel5,Panel43");
}

void PrimerTest::showingAgainStartsAtTheFirstPage()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, before);
    runClicks(clicks);
    QCOMPARE(openPages(), before);
    QVERIFY(m_form->close());
    platform::showModeless(m_form);
    QVERIFY(m_form->isVisible());
    QCOMPARE(openPages(), QStringLiteral("0:"));
    QCOMPARE(topPage(), QStringLiteral("Panel2"));
}

void PrimerTest::raisingAVisibleWindowKeepsItsState()
{
    runClicks({"Image2", "tab2", "Image16"});
    const QString before = openPages();
    QCOMPARE(before, QStringLiteral("2:Panel126,Panel43"));
    platform::showModeless(m_form);
    QCOMPARE(openPages(), before);
    QCOMPARE(topPage(), QStringLiteral("Panel43"));
}

void PrimerTest::pageTurnsWorkOnAWindowNeverShown()
{
    TForm2 primer;
    QVERIFY(primer.findChildren<QWidget *>().isEmpty());
    const auto open = [&primer](const char *page) {
        const auto *panel = primer.findChild<QFrame *>(QString::fromLatin1(page));
        return panel && !panel->isHidden();
    };
    primer.Image2Click();
    QVERIFY(open("Panel126"));
    primer.Image3Click();
    QVERIFY(!open("Panel126"));
    primer.Image16Click();
    QVERIFY(open("Panel43"));
}

void PrimerTest::nextPageCaptionDoesNothing_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("page");
    QTest::newRow("Panel2") << QStringList {} << QStringLiteral("Panel2");
    QTest::newRow("Panel126") << QStringList {"Image2"} << QStringLiteral("Panel126");
    QTest::newRow("Panel3") << QStringList {"tab1"} << QStringLiteral("Panel3");
    QTest::newRow("Panel42") << QStringList {"tab2"} << QStringLiteral("Panel42");
}

void PrimerTest::nextPageCaptionDoesNothing()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, page);
    runClicks(setup);
    QLabel *caption = labelWithText(page, text("หน้าถัดไป"));
    QVERIFY(caption && caption->isVisible());
    QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    QVERIFY(caption->font().bold());
    const QString before = openPages();
    QTest::mouseClick(caption, Qt::LeftButton, {}, caption->rect().center());
    QCOMPARE(openPages(), before);
    QCOMPARE(topPage(), page);
}

void PrimerTest::styleTwoDrawingClosesOnlyOnItsBackground_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("closes");
    QTest::newRow("background") << QStringLiteral("Panel76") << true;
    QTest::newRow("circle") << QStringLiteral("NodeD") << false;
    QTest::newRow("letter") << QStringLiteral("NodeTextG") << false;
    QTest::newRow("arrow") << QStringLiteral("ArrowAB") << false;
}

void PrimerTest::styleTwoDrawingClosesOnlyOnItsBackground()
{
    QFETCH(QString, target);
    QFETCH(bool, closes);
    runClicks({"tab1", "Image1"});
    QWidget *widget = find(target);
    QVERIFY(widget == find(QStringLiteral("Panel76"))
            || find(QStringLiteral("Panel76"))->isAncestorOf(widget));
    click(target);
    QCOMPARE(openPages(), closes ? QStringLiteral("1:") : QStringLiteral("1:Panel5"));
}

void PrimerTest::switchingTabsKeepsTheOpenPage()
{
    runClicks({"tab1", "Image1", "tab0"});
    QCOMPARE(openPages(), QStringLiteral("0:Panel5"));
    QCOMPARE(topPage(), QStringLiteral("Panel2"));
    runClicks({"tab1"});
    QCOMPARE(topPage(), QStringLiteral("Panel5"));
    runClicks({"tab0", "Image2", "Image43", "tab2", "tab0"});
    QCOMPARE(openPages(), QStringLiteral("0:Panel126,Panel4,Panel5"));
    QCOMPARE(topPage(), QStringLiteral("Panel4"));
}

void PrimerTest::textTypedIntoABlockSurvivesAReset()
{
    QList<QPlainTextEdit *> blocks = m_form->findChildren<QPlainTextEdit *>();
    QVERIFY(blocks.size() >= 15);
    for (QPlainTextEdit *block : blocks) {
        QVERIFY2(!block->isReadOnly(), qPrintable(block->objectName()));
        QCOMPARE(block->frameShape(), QFrame::NoFrame);
    }
    auto *first = find<QPlainTextEdit>(QStringLiteral("Memo1"));
    first->moveCursor(QTextCursor::End);
    QTest::keyClicks(first, QStringLiteral(" typed"));
    QVERIFY(m_form->close());
    platform::showModeless(m_form);
    QVERIFY(first->toPlainText().endsWith(QStringLiteral(" typed")));
}

void PrimerTest::headings_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("color"); // invalid: not fixed
    QTest::addColumn<int>("pixels"); // designed size of a bold heading; 0: not fixed
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    struct Row {
        const char *page;
        const char *caption;
        QColor color;
        int pixels;
    };
    const Row rows[] = {
        {"Panel2", "PERT", red, 35},
        {"Panel2", "(Project Evaluation Review Techniques)", red, 35},
        {"Panel2", "ข้อมูลอ้างอิง", {}, 0},
        {"Panel126", "CPM", red, 35},
        {"Panel126", "(Critical Path Method)", red, 35},
        {"Panel126", "ข้อมูลอ้างอิง", {}, 0},
        {"Panel126", "PERT/CPM", red, 35},
        {"Panel4", "PERT/CPM", red, 35},
        {"Panel4", "ความเหมือนและความแตกต่างระหว่าง PERT และ CPM", blue, 27},
        {"Panel3", "สัญลักษณ์ PERT/CPM", red, 0},
        {"Panel3", "1. กิจกรรมบนเส้น (Activity on arc)", {}, 0},
        {"Panel3", "2. กิจกรรมบนจุดเหตุการณ์ (Activity on event)", {}, 0},
        {"Panel3", "เวลาของกิจกรรม", red, 0},
        {"Panel3", "TE (Time Earliest) ", {}, 0},
        {"Panel3", "TL (Time Latest) ", {}, 0},
        {"Panel3", "กิจกรรม A", {}, 0},
        {"Panel3", "กิจกรรม B", {}, 0},
        {"Panel5", "ตัวอย่างการเขียนเครือข่ายงาน", red, 32},
        {"Panel5", "แบบที่ 1", {}, 0},
        {"Panel5", "แบบที่ 2", {}, 0},
        {"Panel5", "ตารางจัดกิจกรรม และการประมาณการเวลากิจกรรม", blue, 0},
        {"Panel42", "การเร่งโครงการ", blue, 32},
        {"Panel42", "ิกิจกรรมวิกฤติ", {}, 0},
        {"Panel42", "เส้นทางวิกฤติ", {}, 0},
        {"Panel43", "ขั้นตอนในการเร่งโครงการ", blue, 0},
        {"Panel43", "ตัวอย่างตารางกิจกรรมการเร่งโครงการ", blue, 0},
        {"Panel43", "เริ่ม", {}, 0},
        {"Panel43", "สิ้นสุด", {}, 0},
    };
    for (const Row &row : rows) {
        QTest::addRow("%s %s", row.page, row.caption)
            << QString::fromLatin1(row.page) << text(row.caption) << row.color << row.pixels;
    }
}

void PrimerTest::headings()
{
    QFETCH(QString, page);
    QFETCH(QString, caption);
    QFETCH(QColor, color);
    QFETCH(int, pixels);
    QLabel *label = labelWithText(page, caption);
    QVERIFY2(label, qPrintable(caption));
    if (color.isValid())
        QCOMPARE(label->palette().color(QPalette::WindowText), color);
    if (pixels)
        QCOMPARE(label->font(), sarabunFont(pixels, true));
    if (caption.startsWith(QLatin1String("TE")) || caption.startsWith(QLatin1String("TL")))
        QVERIFY(label->font().bold());
}

void PrimerTest::activityTable()
{
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    const QStringList header
        = {text("กิจกรรม"),       text("ก่อนหน้า"),       text("เวลา (T)"),    QStringLiteral("ES"),
           QStringLiteral("EF"), QStringLiteral("LS"), QStringLiteral("LF")};
    const QStringList rows = {"A - 3 0 3 0 3",     "B A 2 3 5 3 5",     "C A 1 3 4 4 5",
                              "D B,C 2 5 7 5 7",   "E D 1 7 8 8 9",     "F D 2 7 9 7 9",
                              "G E,F 4 9 13 9 13", "H G 1 13 14 13 14", "I H 1 14 15 14 15"};
    const QList<QColor> tints = {Qt::white,
                                 Qt::white,
                                 Qt::white,
                                 QColor(251, 249, 206),
                                 QColor(243, 223, 152),
                                 QColor(251, 249, 206),
                                 QColor(243, 223, 152)};
    QWidget *grid = find(QStringLiteral("ActivityGrid"));
    QCOMPARE(grid->findChildren<QLabel *>().size(), 70);
    for (int row = 0; row <= rows.size(); ++row) {
        const QStringList expected = row == 0 ? header : rows[row - 1].split(QLatin1Char(' '));
        for (int column = 0; column < 7; ++column) {
            auto *label = grid->findChild<QLabel *>(QStringLiteral("r%1c%2").arg(row).arg(column));
            QVERIFY(label);
            QCOMPARE(label->text(), expected[column]);
            QCOMPARE(label->palette().color(QPalette::Window),
                     row == 0 ? buttonFace : tints[column]);
        }
    }
}

void PrimerTest::crashingTable()
{
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    const QColor crashTint(239, 232, 192);
    QWidget *grid = find(QStringLiteral("CrashingGrid"));
    auto label = [grid](int row, int column) {
        return grid->findChild<QLabel *>(QStringLiteral("r%1c%2").arg(row).arg(column));
    };
    const QStringList top
        = {text("กิจกรรม"),        text("ก่อนหน้า"), text("ระยะเวลา (วัน)"), QString(),
           text("ค่าใช้จ่าย (บาท)"), QString(),      text("สรุปค่าใช้จ่าย")};
    for (int column : {0, 1, 2, 4, 6}) {
        QCOMPARE(label(0, column)->text(), top[column]);
        QCOMPARE(label(0, column)->palette().color(QPalette::Window), buttonFace);
    }
    // The two group headers each span a normal and a crash column.
    for (int column : {2, 4}) {
        QCOMPARE(label(1, column)->text(), text("ปกติ"));
        QCOMPARE(label(1, column + 1)->text(), text("เร่ง"));
        QCOMPARE(label(0, column)->geometry().left(), label(1, column)->geometry().left());
        QCOMPARE(label(0, column)->geometry().right(), label(1, column + 1)->geometry().right());
    }
    const QStringList rows = {"A - 9 8 500 800", "B - 18 17 400 600", "C A 10 9 300 500",
                              "D C 22 20 700 900", "E B,C 21 20 600 800"};
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList expected = rows[row].split(QLatin1Char(' '));
        for (int column = 0; column < 7; ++column) {
            QLabel *cellLabel = label(row + 2, column);
            QVERIFY(cellLabel);
            QCOMPARE(cellLabel->text(), column < 6 ? expected[column] : QString());
            const bool crash = column == 3 || column == 5;
            QCOMPARE(cellLabel->palette().color(QPalette::Window),
                     crash ? crashTint : QColor(Qt::white));
        }
    }
}

// Works the example through from the table's own cells: every path from a first to a
// last activity, its normal and fully crashed length, and the costs.
void PrimerTest::crashingTextsAgreeWithTheTable()
{
    struct Activity {
        int normal, crash, normalCost, crashCost;
    };
    std::map<QString, Activity> activities;
    for (int row = 2; row < 7; ++row) {
        activities[cell("CrashingGrid", row, 0)]
            = {cell("CrashingGrid", row, 2).toInt(), cell("CrashingGrid", row, 3).toInt(),
               cell("CrashingGrid", row, 4).toInt(), cell("CrashingGrid", row, 5).toInt()};
    }
    QCOMPARE(activities.size(), size_t(5));
    std::vector<testsupport::Precedence> network;
    for (int row = 2; row < 7; ++row) {
        const QString name = cell("CrashingGrid", row, 0);
        QCOMPARE(name.size(), 1);
        network.push_back(
            {static_cast<char>(name.at(0).unicode()), cell("CrashingGrid", row, 1).toStdString()});
    }
    const testsupport::Routes routes = testsupport::routesFromPredecessors(network);
    QVERIFY2(routes.error.empty(), routes.error.c_str());
    QList<QStringList> paths;
    for (const std::string &route : routes.routes) {
        QStringList path;
        for (const char letter : route)
            path << QString(QLatin1Char(letter));
        paths << path;
    }
    auto length = [&](const QStringList &path, bool crashed) {
        int sum = 0;
        for (const QString &name : path)
            sum += crashed ? activities[name].crash : activities[name].normal;
        return sum;
    };

    // "A-C-D = 9+10+22 = 41 วัน" for every path, the longest first and marked critical.
    const QString sums = find<QLabel>(QStringLiteral("Label43"))->text();
    QStringList written;
    QRegularExpression term(QStringLiteral("([A-E](?:-[A-E])+) = ([0-9+]+) = ([0-9]+) "));
    for (auto match = term.globalMatch(sums); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        const QStringList path = found.captured(1).split(QLatin1Char('-'));
        QStringList addends;
        for (const QString &name : path)
            addends << QString::number(activities[name].normal);
        QCOMPARE(found.captured(2), addends.join(QLatin1Char('+')));
        QCOMPARE(found.captured(3).toInt(), length(path, false));
        written << found.captured(1);
    }
    QStringList expectedPaths;
    for (const QStringList &path : paths)
        expectedPaths << path.join(QLatin1Char('-'));
    std::sort(expectedPaths.begin(), expectedPaths.end());
    QStringList writtenSorted = written;
    std::sort(writtenSorted.begin(), writtenSorted.end());
    QCOMPARE(writtenSorted, expectedPaths);
    const auto critical = *std::max_element(paths.begin(), paths.end(), [&](auto &a, auto &b) {
        return length(a, false) < length(b, false);
    });
    QCOMPARE(written.first(), critical.join(QLatin1Char('-')));
    QVERIFY(sums.indexOf(text("(เส้นทางวิกฤติ)")) < sums.indexOf(written.at(1)));

    // The critical activities, and the cheapest of them per day of crashing.
    const QString criticalText = find<QLabel>(QStringLiteral("Label44"))->text();
    for (const QString &name : critical)
        QVERIFY2(criticalText.contains(name), qPrintable(name));
    auto perDay = [&](const QString &name) {
        const Activity &a = activities[name];
        return (a.crashCost - a.normalCost) / (a.normal - a.crash);
    };
    const QString cheapest = *std::min_element(
        critical.begin(), critical.end(), [&](auto &a, auto &b) { return perDay(a) < perDay(b); });
    const Activity &c = activities[cheapest];
    QVERIFY2(criticalText.contains(text("โดย %1 มีค่าเร่งต่ำสุด (%2 − %3) ÷ (%4 − %5) = %6 บาท")
                                       .arg(cheapest)
                                       .arg(c.crashCost)
                                       .arg(c.normalCost)
                                       .arg(c.normal)
                                       .arg(c.crash)
                                       .arg(perDay(cheapest))),
             qPrintable(criticalText));

    // Normal and fully crashed completion with their costs.
    int normalDays = 0, crashedDays = 0, normalCost = 0, crashCost = 0;
    for (const QStringList &path : paths) {
        normalDays = std::max(normalDays, length(path, false));
        crashedDays = std::max(crashedDays, length(path, true));
    }
    for (const auto &[name, activity] : activities) {
        normalCost += activity.normalCost;
        crashCost += activity.crashCost;
    }
    const QLocale grouping(QLocale::English);
    const QString result = find<QLabel>(QStringLiteral("Label45"))->text();
    QVERIFY2(result.contains(
                 text("%1 วัน ค่าใช้จ่าย %2 บาท").arg(normalDays).arg(grouping.toString(normalCost))),
             qPrintable(result));
    QVERIFY2(result.contains(
                 text("%1 วัน ค่าใช้จ่าย %2 บาท").arg(crashedDays).arg(grouping.toString(crashCost))),
             qPrintable(result));
    QCOMPARE(crashedDays, 37);

    // The network drawing labels each activity with its normal duration.
    for (const auto &[name, activity] : activities) {
        QVERIFY2(labelWithText(QStringLiteral("CrashingNetwork"),
                               QStringLiteral("%1=%2").arg(name).arg(activity.normal)),
                 qPrintable(name));
    }
}

void PrimerTest::everyPictureIsDecoded()
{
    const QList<platform::ImageBox *> pictures = m_form->findChildren<platform::ImageBox *>();
    QVERIFY(pictures.size() > 40);
    for (platform::ImageBox *picture : pictures) {
        const QPixmap pixmap = picture->pixmap();
        QVERIFY2(!pixmap.isNull() && pixmap.width() > 0, qPrintable(picture->objectName()));
    }
    for (const char *name : {"Image2", "Image43", "Image1", "Image16"})
        QCOMPARE(find(QString::fromLatin1(name))->size(), QSize(65, 65));
    for (const char *name : {"Image3", "Image9", "Image17"})
        QCOMPARE(find(QString::fromLatin1(name))->size(), QSize(40, 38));
    // Every letter of the example project has its circle in the style-2 drawing.
    for (char letter = 'A'; letter <= 'I'; ++letter)
        QVERIFY(labelWithText(QStringLiteral("Panel76"), QString(QLatin1Char(letter))));
}

void PrimerTest::pagesShowEverythingUnclipped_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("page");
    QTest::newRow("Panel2") << QStringList {} << QStringLiteral("Panel2");
    QTest::newRow("Panel126") << QStringList {"Image2"} << QStringLiteral("Panel126");
    QTest::newRow("Panel4") << QStringList {"Image2", "Image43"} << QStringLiteral("Panel4");
    QTest::newRow("Panel3") << QStringList {"tab1"} << QStringLiteral("Panel3");
    QTest::newRow("Panel5") << QStringList {"tab1", "Image1"} << QStringLiteral("Panel5");
    QTest::newRow("Panel42") << QStringList {"tab2"} << QStringLiteral("Panel42");
    QTest::newRow("Panel43") << QStringList {"tab2", "Image16"} << QStringLiteral("Panel43");
}

// Text blocks show all their lines, labels hold their text, nothing sticks out of its
// page and the page's own controls do not overlap.
void PrimerTest::pagesShowEverythingUnclipped()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, page);
    runClicks(clicks);
    QWidget *pageWidget = find(page);
    QCOMPARE(topPage(), page);
    QCoreApplication::processEvents();

    for (QPlainTextEdit *block : pageWidget->findChildren<QPlainTextEdit *>()) {
        QVERIFY2(block->isVisible(), qPrintable(block->objectName()));
        QVERIFY2(block->verticalScrollBar()->maximum() == 0, qPrintable(block->objectName()));
    }
    for (QLabel *label : pageWidget->findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const QRect room = label->contentsRect();
        const QFontMetrics metrics(label->font());
        const QString name = label->objectName() + QLatin1Char(' ') + label->text();
        if (label->wordWrap()) {
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
            continue;
        }
        QVERIFY2(metrics.horizontalAdvance(label->text()) <= room.width(), qPrintable(name));
        QVERIFY2(metrics.tightBoundingRect(label->text()).height() <= room.height(),
                 qPrintable(name));
    }
    const QRect pageRect = pageWidget->rect();
    for (QWidget *child : pageWidget->findChildren<QWidget *>()) {
        const QRect inPage(child->mapTo(pageWidget, QPoint(0, 0)), child->size());
        QVERIFY2(pageRect.contains(inPage), qPrintable(child->objectName()));
    }
    const QList<QWidget *> own = pageWidget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (int i = 0; i < own.size(); ++i) {
        for (int j = i + 1; j < own.size(); ++j) {
            QVERIFY2(
                !own[i]->geometry().intersects(own[j]->geometry()),
                qPrintable(own[i]->objectName() + QStringLiteral(" / ") + own[j]->objectName()));
        }
    }
}

QTEST_MAIN(PrimerTest)
#include "primer_test.moc"
