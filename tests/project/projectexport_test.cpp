// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "costcurvechart.h"
#include "crashingpanel.h"
#include "projectexport.h"

#include "practiceset.h"
#include "schedule.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <random>

// Pictures as PNG and SVG, and the report as a PDF: files that their readers load, nothing
// left behind on failure, and as many pages in the file as the layout counted.

namespace {

struct Loaded {
    engine::Project project;
    engine::Network network;
    engine::Schedule schedule;
};

Loaded loadProject(engine::Project project)
{
    Loaded loaded {std::move(project), {}, {}};
    loaded.network = engine::Network(loaded.project);
    const auto normal = loaded.network.normalDurations();
    loaded.schedule = engine::computeSchedule(loaded.network, normal);
    return loaded;
}

// A random project: every activity after up to three earlier ones.
engine::Project randomProject(int activities, unsigned seed)
{
    std::mt19937 random(seed);
    auto between
        = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    engine::Project project;
    project.title = "random";
    for (int i = 0; i < activities; ++i) {
        engine::Activity activity;
        activity.id = QStringLiteral("T%1").arg(i + 1).toStdString();
        const int predecessors = i == 0 ? 0 : between(0, std::min(3, i));
        for (int p = 0; p < predecessors; ++p) {
            const std::string id = QStringLiteral("T%1").arg(between(1, i)).toStdString();
            if (std::find(activity.predecessors.begin(), activity.predecessors.end(), id)
                == activity.predecessors.end())
                activity.predecessors.push_back(id);
        }
        const int normal = between(1, 20);
        activity.normalDuration = normal;
        activity.crashDuration = normal - between(0, normal - 1);
        activity.crashCostPerUnit = engine::Satang {between(1, 500)} * 100;
        project.activities.push_back(activity);
    }
    return project;
}

// The crashing log of a project run to `target` (its shortest when nothing).
QString crashingLog(const Loaded &loaded, std::optional<engine::Duration> target)
{
    project::CrashingPanel panel;
    panel.setProject(::project::analysisOf(loaded.project));
    panel.setTarget(target.value_or(engine::shortestDuration(loaded.network)));
    panel.runToTarget();
    return panel.logText();
}

// A red frame with a blue cross inside the target: something to find in every picture.
void paintMark(QPainter *painter, const QRectF &target)
{
    painter->fillRect(target.adjusted(target.width() / 4, target.height() / 4, -target.width() / 4,
                                      -target.height() / 4),
                      Qt::red);
    painter->setPen(QPen(Qt::blue, 2));
    painter->drawLine(target.topLeft(), target.bottomRight());
}

int pdfPageObjects(const QByteArray &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

project::ReportContent reportOf(const Loaded &loaded, const QString &log)
{
    project::ReportContent content;
    content.title = QString::fromStdString(loaded.project.title);
    content.project = &loaded.project;
    content.schedule = &loaded.schedule;
    content.networkSize = QSizeF(900, 500);
    content.paintNetwork = paintMark;
    content.crashingLog = log;
    content.leastCostText = QStringLiteral("เร่งให้เสร็จใน 28 วัน ด้วยค่าเร่งต่ำสุด 725.00 บาท");
    content.paintCurve = paintMark;
    return content;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

class ProjectExportTest : public QObject {
    Q_OBJECT

private slots:
    void pngIsTwiceTheSizeOnWhite_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("whole") << QSizeF(300, 200) << QSize(600, 400);
        QTest::newRow("fractional") << QSizeF(100.5, 40.25) << QSize(201, 81);
        QTest::newRow("upper case extension") << QSizeF(64, 64) << QSize(128, 128);
    }
    void pngIsTwiceTheSizeOnWhite()
    {
        QFETCH(QSizeF, size);
        QFETCH(QSize, pixels);
        QTemporaryDir folder;
        const QString path = folder.filePath(
            QString::fromLatin1(QTest::currentDataTag()).contains(QStringLiteral("upper"))
                ? QStringLiteral("network.PNG")
                : QStringLiteral("network.png"));
        QCOMPARE(project::exportPicture(path, size, paintMark), QString());
        QImage image;
        QVERIFY(image.load(path, "PNG"));
        QCOMPARE(image.size(), pixels);
        QCOMPARE(image.pixelColor(pixels.width() / 2 + 3, pixels.height() / 3 + 2),
                 QColor(Qt::red));
        QCOMPARE(image.pixelColor(pixels.width() - 1, 0), QColor(Qt::white));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 1); // no temporary left
    }

    void svgHoldsTheDrawing()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("curve.svg"));
        QCOMPARE(project::exportPicture(path, QSizeF(400, 250), paintMark), QString());
        const QByteArray svg = readAll(path);
        QVERIFY(svg.contains("<svg"));
        QSvgRenderer renderer(path);
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.viewBoxF().size(), QSizeF(400, 250));
        QImage image(400, 250, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        QCOMPARE(image.pixelColor(200 + 5, 125 - 20), QColor(Qt::red));
        QCOMPARE(image.pixelColor(399, 0), QColor(Qt::white));
    }

    // A file already there is replaced whole.
    void existingFileIsReplaced()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("network.svg"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(100000, 'x'));
        }
        QCOMPARE(project::exportPicture(path, QSizeF(50, 50), paintMark), QString());
        const QByteArray svg = readAll(path);
        QVERIFY(svg.contains("<svg"));
        QVERIFY(!svg.contains("xxxx"));
    }

    void refusedPictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSizeF>("size");
        QTest::newRow("jpeg") << QStringLiteral("network.jpg") << QSizeF(100, 100);
        QTest::newRow("pdf") << QStringLiteral("network.pdf") << QSizeF(100, 100);
        QTest::newRow("no extension") << QStringLiteral("network") << QSizeF(100, 100);
        QTest::newRow("empty size") << QStringLiteral("network.png") << QSizeF(0, 100);
        QTest::newRow("no folder") << QStringLiteral("missing/network.png") << QSizeF(100, 100);
        QTest::newRow("no folder svg") << QStringLiteral("missing/network.svg") << QSizeF(100, 100);
        QTest::newRow("too large") << QStringLiteral("network.png") << QSizeF(1e6, 1e6);
    }
    void refusedPictures()
    {
        QFETCH(QString, name);
        QFETCH(QSizeF, size);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        const QString message = project::exportPicture(path, size, paintMark);
        QVERIFY(!message.isEmpty());
        QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
        QVERIFY(QDir(folder.path())
                    .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)
                    .isEmpty());
    }

    // The PDF has as many page objects as paintReport counted, and counting again on another
    // writer gives the same.
    void pdfPagesAsCounted()
    {
        const Loaded set = loadProject(practiceProject(practiceSet(1)));
        const project::ReportContent content = reportOf(set, crashingLog(set, 28));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("report.pdf"));
        int pages = -1;
        QCOMPARE(project::writePdfReport(path, content, &pages), QString());
        const QByteArray pdf = readAll(path);
        QVERIFY(pdf.startsWith("%PDF"));
        QVERIFY(pages >= 1);
        QCOMPARE(pdfPageObjects(pdf), pages);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 1);

        int again = -1;
        QCOMPARE(project::writePdfReport(path, content, &again), QString());
        QCOMPARE(again, pages);
    }

    // The same tables with a long log run onto more pages; the long log's own project too.
    void longLogTakesMorePages()
    {
        const Loaded set = loadProject(practiceProject(practiceSet(1)));
        const Loaded large = loadProject(randomProject(100, 7));
        const QString shortLog = crashingLog(set, 28);
        const QString longLog = crashingLog(large, std::nullopt);
        QVERIFY2(longLog.count(u'\n') > 5 * shortLog.count(u'\n'),
                 qPrintable(
                     QStringLiteral("%1 %2").arg(longLog.count(u'\n')).arg(shortLog.count(u'\n'))));

        QTemporaryDir folder;
        auto pagesOf = [&](const project::ReportContent &content, const QString &name) {
            int pages = -1;
            const QString path = folder.filePath(name);
            const QString message = project::writePdfReport(path, content, &pages);
            if (!message.isEmpty())
                qWarning() << message;
            if (pdfPageObjects(readAll(path)) != pages)
                return -1;
            return pages;
        };
        const int shortPages = pagesOf(reportOf(set, shortLog), QStringLiteral("short.pdf"));
        const int longPages = pagesOf(reportOf(set, longLog), QStringLiteral("long.pdf"));
        const int largePages = pagesOf(reportOf(large, longLog), QStringLiteral("large.pdf"));
        QVERIFY(shortPages >= 1);
        QVERIFY2(longPages > shortPages,
                 qPrintable(QStringLiteral("%1 %2").arg(longPages).arg(shortPages)));
        QVERIFY(largePages > longPages); // its tables are longer too
    }

    void pdfIntoMissingFolderIsRefused()
    {
        const Loaded set = loadProject(practiceProject(practiceSet(1)));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("missing/report.pdf"));
        int pages = -1;
        const QString message = project::writePdfReport(path, reportOf(set, QString()), &pages);
        QVERIFY(!message.isEmpty());
        QVERIFY(message.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(pages, 0);
        QVERIFY(QDir(folder.path())
                    .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)
                    .isEmpty());
    }

    // The chart's own painter exported as a picture: it draws the curve, not a blank page.
    void chartExportsAsPicture()
    {
        const Loaded set = loadProject(practiceProject(practiceSet(1)));
        project::CostCurveChart chart;
        chart.showCurve(::project::analysisOf(set.project));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("curve.png"));
        QCOMPARE(project::exportPicture(path, QSizeF(640, 400),
                                        [&](QPainter *painter, const QRectF &target) {
                                            chart.renderChart(painter, target);
                                        }),
                 QString());
        QImage image(path);
        QCOMPARE(image.size(), QSize(1280, 800));
        int ink = 0;
        for (int y = 0; y < image.height(); y += 4) {
            for (int x = 0; x < image.width(); x += 4)
                ink += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        }
        QVERIFY(ink > 1000);
    }
};

QTEST_MAIN(ProjectExportTest)
#include "projectexport_test.moc"
