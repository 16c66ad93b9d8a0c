// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "projectwindow.h"

#include "activitytablemodel.h"
#include "costcurvechart.h"
#include "crashingpanel.h"
#include "filechooser.h"
#include "ganttview.h"
#include "messagebox.h"
#include "mspdiwriter.h"
#include "networkview.h"
#include "planexportdialog.h"
#include "practiceset.h"
#include "printerchooser.h"
#include "projectdocument.h"
#include "projectexport.h"
#include "projectfile.h"
#include "projectwindow_p.h"

#include "dialogrunner.h"
#include "newexercisedialog.h"
#include "thaifileproblems.h"
#include "thaitext.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>

#include <memory>

namespace {

constexpr int kRecentFiles = 8;
const QString projectFilter
    = QStringLiteral("โครงการ (*.crashkit *.csv);;แฟ้ม Crashkit (*.crashkit);;"
                     "CSV (*.csv);;ทุกแฟ้ม (*)");

QString caption()
{
    return QStringLiteral("โครงการของฉัน");
}

QSettings settings()
{
    return QSettings(QStringLiteral("crashkit"), QStringLiteral("crashkit"));
}

QString recentKey()
{
    return QStringLiteral("project/recentFiles");
}

QString lastFolderKey()
{
    return QStringLiteral("project/lastFolder");
}

void warn(QWidget *parent, const QString &text)
{
    platform::showMessage(parent, platform::MessageType::Warning, caption(), text, QMessageBox::Ok,
                          QMessageBox::Ok);
}

} // namespace

bool ProjectWindow::Private::maybeSave()
{
    if (!document->isModified())
        return true;
    const QString name = document->filePath().isEmpty()
        ? document->title()
        : QFileInfo(document->filePath()).fileName();
    const QString text
        = (name.isEmpty() ? QStringLiteral("โครงการนี้") : QStringLiteral("โครงการ \"%1\"").arg(name))
        + QStringLiteral(" มีการแก้ไขที่ยังไม่ได้บันทึก\nต้องการบันทึกก่อนหรือไม่");
    const auto answer = platform::showMessage(
        q, platform::MessageType::Question, caption(), text,
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

void ProjectWindow::Private::newProject()
{
    if (maybeSave())
        newProjectWithoutAsking();
}

void ProjectWindow::Private::newProjectWithoutAsking()
{
    document->clear();
    titleEdit->setText(document->title());
    updateCaption();
}

void ProjectWindow::Private::open()
{
    if (!maybeSave())
        return;
    const QString path = platform::chooseFile(
        q,
        {platform::FileRequest::Kind::Open, QStringLiteral("เปิดโครงการ"),
         settings().value(lastFolderKey(), QDir::homePath()).toString(), projectFilter});
    if (!path.isEmpty())
        openPath(path);
}

void ProjectWindow::Private::showFileProblems(const QString &intro, const io::ProblemList &problems)
{
    // Each problem names the file, the line or activity and what is wrong, in Thai.
    platform::showMessage(q, platform::MessageType::Error, caption(),
                          intro + QStringLiteral("\n\n") + project::thaiProblemListText(problems),
                          QMessageBox::Ok, QMessageBox::Ok);
}

bool ProjectWindow::Private::openPath(const QString &path)
{
    io::ReadResult result = io::openProject(path);
    if (!result.isLoaded()) {
        showFileProblems(QStringLiteral("เปิดแฟ้มไม่ได้ หน้าต่างยังคงโครงการเดิมไว้"), result.problems());
        return false;
    }
    // Planning tools keep no crash data: their activities come with crash duration = normal
    // and no cost, and those cells are marked for the student to fill in.
    std::vector<std::pair<int, int>> toFill;
    io::ProblemList otherWarnings;
    bool withoutCrashData = false;
    for (const io::Problem &warning : result.warnings().kept()) {
        if (warning.kind == io::FileProblemKind::CrashDataMissing)
            withoutCrashData = true;
        else
            otherWarnings.add(warning);
    }
    // One warning an activity, of which a long list keeps only the first few: every activity
    // still at its import defaults is marked.
    const engine::Project &loaded = result.project();
    for (std::size_t row = 0; withoutCrashData && row < loaded.activities.size(); ++row) {
        const engine::Activity &activity = loaded.activities[row];
        if (activity.crashDuration == activity.normalDuration && activity.crashCostPerUnit == 0) {
            toFill.emplace_back(static_cast<int>(row), project::CrashDurationColumn);
            toFill.emplace_back(static_cast<int>(row), project::CostPerUnitColumn);
        }
    }
    const QString warnings = project::thaiProblemListText(otherWarnings);
    document->load(result.takeProject(), QFileInfo(path).absoluteFilePath());
    if (!toFill.empty())
        document->table()->markCellsToFill(
            toFill, QStringLiteral("แฟ้มนี้ไม่มีข้อมูลการเร่ง: กรอกเวลาเร่งและค่าเร่งต่อหน่วยเอง"));
    titleEdit->setText(document->title());
    updateCaption();
    rememberRecent(QFileInfo(path).absoluteFilePath());
    if (!otherWarnings.isEmpty())
        platform::showMessage(q, platform::MessageType::Information, caption(),
                              QStringLiteral("เปิดแฟ้มแล้ว โปรดดูหมายเหตุ\n\n") + warnings,
                              QMessageBox::Ok, QMessageBox::Ok);
    if (!toFill.empty())
        showStatus(
            QStringLiteral("นำเข้า %1 กิจกรรม: ช่องสีเหลืองยังไม่มีข้อมูลการเร่ง").arg(toFill.size() / 2),
            15000);
    else
        showStatus(QStringLiteral("เปิด %1 แล้ว").arg(QDir::toNativeSeparators(path)));
    return true;
}

void ProjectWindow::Private::openPracticeSet(int number)
{
    engine::Project practice = practiceProject(practiceSet(number));
    practice.title = QStringLiteral("ชุดเสริมทักษะ %1").arg(number).toStdString();
    document->load(practice, QString());
    titleEdit->setText(document->title());
    updateCaption();
}

void ProjectWindow::Private::newExercise()
{
    if (!maybeSave())
        return;
    project::NewExerciseDialog dialog(q);
    if (platform::runDialog(dialog) != QDialog::Accepted || !dialog.exercise())
        return;
    engine::Project exercise = dialog.exercise()->project;
    exercise.title = project::exerciseTitle(*dialog.exercise()).toStdString();
    document->load(exercise, QString());
    titleEdit->setText(document->title());
    updateCaption();
}

bool ProjectWindow::Private::save()
{
    const QString path = document->filePath();
    // A plan imported from another planning tool is saved where the student says, as a
    // .crashkit file unless they choose otherwise: its own format is only read.
    const std::optional<io::FileFormat> format = io::formatOfPath(path);
    if (path.isEmpty() || !format || !io::isWritable(*format))
        return saveAs();
    return saveTo(path, true);
}

bool ProjectWindow::Private::saveAs()
{
    const QString path = chooseSavePath(QStringLiteral("บันทึกโครงการ"), QStringLiteral(".crashkit"),
                                        QStringLiteral("แฟ้ม Crashkit (*.crashkit);;CSV (*.csv)"));
    return !path.isEmpty() && saveTo(path, true);
}

QString ProjectWindow::Private::chooseSavePath(const QString &dialogCaption,
                                               const QString &suggestedSuffix,
                                               const QString &filter)
{
    QString suggested = document->filePath();
    if (suggested.isEmpty()) {
        const QString title = document->title().trimmed();
        suggested = QDir(settings().value(lastFolderKey(), QDir::homePath()).toString())
                        .filePath(title.isEmpty() ? QStringLiteral("โครงการ") : title);
    }
    suggested = QFileInfo(suggested).path() + u'/' + QFileInfo(suggested).completeBaseName()
        + suggestedSuffix;
    QString path = platform::chooseFile(
        q, {platform::FileRequest::Kind::Save, dialogCaption, suggested, filter});
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += suggestedSuffix;
    return path;
}

bool ProjectWindow::Private::soundProjectForOutput(engine::Project &project, const QString &what)
{
    catchUp();
    const project::ProjectAnalysis &analysis = *shown;
    if (!analysis.sound()) {
        warn(q,
             QStringLiteral("%1ไม่ได้ เพราะตารางยังมีปัญหา %2 ข้อ (ดูรายการใต้ตาราง)\n"
                            "งานที่พิมพ์ไว้ยังอยู่ในหน้าต่างครบ")
                 .arg(what)
                 .arg(analysis.problems.size()));
        return false;
    }
    project = analysis.project;
    project.title = document->title().toStdString();
    project.target = document->target();
    return true;
}

QString ProjectWindow::Private::lostInCsv() const
{
    QStringList lost;
    if (!document->title().isEmpty())
        lost << QStringLiteral("ชื่อโครงการ \"%1\"").arg(document->title());
    if (const auto target = document->target())
        lost << QStringLiteral("ระยะเวลาเป้าหมาย %1 %2")
                    .arg(*target)
                    .arg(project::thaiUnitWord(document->timeUnit()));
    return lost.join(QStringLiteral(" และ"));
}

bool ProjectWindow::Private::saveTo(const QString &path, bool asDocumentFile)
{
    engine::Project project;
    if (!soundProjectForOutput(project, QStringLiteral("บันทึก")))
        return false;
    // A CSV file holds the activity table only: say what it leaves out before writing it.
    const QString lost = io::formatOfPath(path) == io::FileFormat::Csv ? lostInCsv() : QString();
    if (!lost.isEmpty()) {
        const QString text = QStringLiteral("แฟ้ม CSV เก็บได้เฉพาะตารางกิจกรรม %1 จะไม่อยู่ในแฟ้ม %2\n\n")
                                 .arg(lost, QFileInfo(path).fileName())
            + (asDocumentFile ? QStringLiteral("บันทึกเป็นแฟ้ม .crashkit ซึ่งเก็บได้ครบแทนหรือไม่\n"
                                               "(ถ้าบันทึกเป็น CSV โครงการจะยังนับว่ามีการแก้ไขที่ยังไม่ได้บันทึก)")
                              : QStringLiteral("ส่งออกต่อหรือไม่"));
        const auto answer = asDocumentFile
            ? platform::showMessage(q, platform::MessageType::Question, caption(), text,
                                    QMessageBox::Save | QMessageBox::Ignore | QMessageBox::Cancel,
                                    QMessageBox::Save,
                                    {{QMessageBox::Save, QStringLiteral("บันทึกเป็น .crashkit")},
                                     {QMessageBox::Ignore, QStringLiteral("บันทึกเป็น CSV")}})
            : platform::showMessage(q, platform::MessageType::Question, caption(), text,
                                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok,
                                    {{QMessageBox::Ok, QStringLiteral("ส่งออก CSV")}});
        if (answer == QMessageBox::Cancel)
            return false;
        if (answer == QMessageBox::Save) {
            const QString other
                = chooseSavePath(QStringLiteral("บันทึกโครงการ"), QStringLiteral(".crashkit"),
                                 QStringLiteral("แฟ้ม Crashkit (*.crashkit)"));
            return !other.isEmpty() && saveTo(other, true);
        }
    }
    const io::ProblemList problems = io::saveProject(project, path);
    if (!problems.isEmpty()) {
        showFileProblems(QStringLiteral("บันทึกไม่สำเร็จ แฟ้มเดิม (ถ้ามี) ไม่ถูกแตะต้อง"), problems);
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    settings().setValue(lastFolderKey(), QFileInfo(absolute).path());
    if (asDocumentFile) {
        if (lost.isEmpty()) {
            document->markSaved(absolute);
        } else {
            // The title or the target is in no file yet: closing still asks about them.
            document->forgetFilePath();
            showStatus(QStringLiteral("บันทึกตารางลง %1 แล้ว แต่%2ยังไม่ได้บันทึก")
                           .arg(QDir::toNativeSeparators(absolute), lost),
                       15000);
            rememberRecent(absolute);
            return true;
        }
        rememberRecent(absolute);
    }
    showStatus(QStringLiteral("บันทึก %1 แล้ว").arg(QDir::toNativeSeparators(absolute)));
    return true;
}

void ProjectWindow::Private::exportCsv()
{
    const QString path = chooseSavePath(QStringLiteral("ส่งออกเป็น CSV"), QStringLiteral(".csv"),
                                        QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    if (io::formatOfPath(path) != io::FileFormat::Csv) {
        warn(q, QStringLiteral("แฟ้ม CSV ต้องลงท้ายด้วย .csv: %1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    saveTo(path, false);
}

void ProjectWindow::Private::exportNetwork()
{
    engine::Project project;
    if (!soundProjectForOutput(project, QStringLiteral("ส่งออกภาพเครือข่าย")))
        return;
    const QString path = chooseSavePath(QStringLiteral("ส่งออกภาพเครือข่าย"), QStringLiteral(".png"),
                                        QStringLiteral("PNG (*.png);;SVG (*.svg)"));
    if (path.isEmpty())
        return;
    whenOutputsReady(QStringLiteral("ภาพเครือข่าย"), [this, path] {
        const QString error
            = project::exportPicture(path, networkView->drawingRect().size(),
                                     [this](QPainter *painter, const QRectF &target) {
                                         networkView->renderDrawing(painter, target);
                                     });
        if (!error.isEmpty())
            warn(q, error);
        else
            showStatus(QStringLiteral("บันทึกภาพ %1 แล้ว").arg(QDir::toNativeSeparators(path)));
    });
}

void ProjectWindow::Private::exportCurve()
{
    engine::Project project;
    if (!soundProjectForOutput(project, QStringLiteral("ส่งออกกราฟ")))
        return;
    const QString path
        = chooseSavePath(QStringLiteral("ส่งออกกราฟเวลา-ต้นทุน"), QStringLiteral(".png"),
                         QStringLiteral("PNG (*.png);;SVG (*.svg)"));
    if (path.isEmpty())
        return;
    whenOutputsReady(QStringLiteral("กราฟ"), [this, path] {
        const QString error = project::exportPicture(
            path, QSizeF(900, 600), [this](QPainter *painter, const QRectF &target) {
                curveChart->renderChart(painter, target);
            });
        if (!error.isEmpty())
            warn(q, error);
        else
            showStatus(QStringLiteral("บันทึกภาพ %1 แล้ว").arg(QDir::toNativeSeparators(path)));
    });
}

void ProjectWindow::Private::exportGantt()
{
    engine::Project project;
    if (!soundProjectForOutput(project, QStringLiteral("ส่งออกแผนภูมิแกนต์")))
        return;
    const QString path = chooseSavePath(QStringLiteral("ส่งออกแผนภูมิแกนต์"), QStringLiteral(".png"),
                                        QStringLiteral("PNG (*.png);;SVG (*.svg)"));
    if (path.isEmpty())
        return;
    whenOutputsReady(QStringLiteral("แผนภูมิแกนต์"), [this, path] {
        refreshGantt();
        const QString error = project::exportPicture(
            path, ganttView->drawingRect().size(), [this](QPainter *painter, const QRectF &target) {
                ganttView->renderDrawing(painter, target);
            });
        if (!error.isEmpty())
            warn(q, error);
        else
            showStatus(QStringLiteral("บันทึกภาพ %1 แล้ว").arg(QDir::toNativeSeparators(path)));
    });
}

void ProjectWindow::Private::exportMspdi()
{
    engine::Project project;
    const QString what = QStringLiteral("ส่งออกแผนไปยัง Microsoft Project");
    if (!soundProjectForOutput(project, what))
        return;
    const std::optional<engine::Duration> target = crashingPanel->target();
    const bool reachable = target && *target >= shown->shortestDuration
        && *target <= shown->schedule.projectDuration;
    project::PlanExportDialog dialog(reachable ? QStringLiteral("%1 %2").arg(*target).arg(
                                         project::thaiUnitWord(project.timeUnit))
                                               : QString(),
                                     q);
    dialog.describeProject(project::thaiUnitWord(project.timeUnit), shown->network.plainLinks());
    if (platform::runDialog(dialog) != QDialog::Accepted)
        return;
    const project::ExportedPlan plan = reachable ? dialog.plan() : project::ExportedPlan::Normal;
    if (plan == project::ExportedPlan::Greedy && !shown->network.plainLinks()) {
        warn(q, project::greedyUnavailableText());
        return;
    }
    const QDate start = dialog.startDate();
    // Microsoft Project schedules from 1984 to 2149: a plan outside is refused before a file.
    // Its calendar has days of 8 hours and weeks of 5 days: the plan's length in whole days.
    const engine::Duration minutesPerUnit = project.timeUnit == engine::TimeUnit::Minute ? 1
        : project.timeUnit == engine::TimeUnit::Hour                                     ? 60
        : project.timeUnit == engine::TimeUnit::Week                                     ? 2400
                                                                                         : 480;
    const engine::Duration days = (shown->schedule.projectDuration * minutesPerUnit + 479) / 480;
    const std::optional<QDate> finish = io::mspdiFinishDay(start, days);
    if (start < io::mspdiFirstDate() || !finish || *finish > io::mspdiLastDate()) {
        warn(q,
             QStringLiteral("Microsoft Project จัดตารางได้ตั้งแต่ %1 ถึง %2 แผนที่เริ่ม %3 ยาว %4 %5 "
                            "อยู่นอกช่วงนั้น เลือกวันเริ่มใหม่")
                 .arg(io::mspdiFirstDate().toString(Qt::ISODate),
                      io::mspdiLastDate().toString(Qt::ISODate), start.toString(Qt::ISODate))
                 .arg(shown->schedule.projectDuration)
                 .arg(project::thaiUnitWord(project.timeUnit)));
        return;
    }
    const QString path = chooseSavePath(what, QStringLiteral(".xml"),
                                        QStringLiteral("Microsoft Project XML (*.xml)"));
    if (path.isEmpty())
        return;
    // The greedy runs to the target (off the window's thread for a large project) and the
    // least cost is solved before the file is written.
    if (plan == project::ExportedPlan::Greedy)
        crashingPanel->runToTarget();
    whenOutputsReady(
        QStringLiteral("แผนสำหรับ Microsoft Project"), [this, project, plan, start, path] {
            std::vector<engine::Duration> crashed;
            if (plan == project::ExportedPlan::Greedy)
                crashed = crashingPanel->currentDurations();
            else if (plan == project::ExportedPlan::LeastCost && crashingPanel->leastCost())
                crashed = crashingPanel->leastCost()->durations;
            if (plan != project::ExportedPlan::Normal
                && crashed.size() != project.activities.size()) {
                warn(q, QStringLiteral("ยังไม่มีแผนที่เร่งถึงเป้าหมาย จึงไม่ได้ส่งออก"));
                return;
            }
            const io::ProblemList problems = io::saveMspdi(project, start, crashed, path);
            if (!problems.isEmpty())
                showFileProblems(QStringLiteral("ส่งออกไม่สำเร็จ แฟ้มเดิม (ถ้ามี) ไม่ถูกแตะต้อง"), problems);
            else
                showStatus(QStringLiteral("บันทึกแผน %1 แล้ว").arg(QDir::toNativeSeparators(path)));
        });
}

project::ReportContent ProjectWindow::Private::reportContent(const engine::Project &project)
{
    // Called when the outputs are ready (whenOutputsReady): the drawing, the curve and the
    // least cost are those of the analysis shown.
    project::ReportContent content;
    content.title = QString::fromStdString(project.title);
    content.project = &shown->project;
    content.schedule = &shown->schedule;
    content.networkSize = networkView->drawingRect().size();
    content.paintNetwork = [this](QPainter *painter, const QRectF &target) {
        networkView->renderDrawing(painter, target);
    };
    content.crashingLog = crashingPanel->logText();
    content.leastCostText = crashingPanel->leastCostText();
    content.paintCurve = [this](QPainter *painter, const QRectF &target) {
        curveChart->renderChart(painter, target);
    };
    refreshGantt();
    content.ganttSize = ganttView->drawingRect().size();
    content.paintGantt = [this](QPainter *painter, const QRectF &target) {
        ganttView->renderDrawing(painter, target);
    };
    return content;
}

void ProjectWindow::Private::writeReport()
{
    engine::Project project;
    if (!soundProjectForOutput(project, QStringLiteral("ทำรายงาน")))
        return;
    const QString path = chooseSavePath(QStringLiteral("รายงาน PDF"), QStringLiteral(".pdf"),
                                        QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    whenOutputsReady(QStringLiteral("รายงาน"), [this, path, project] {
        int pages = 0;
        const QString error = project::writePdfReport(path, reportContent(project), &pages);
        if (!error.isEmpty()) {
            warn(q, error);
            return;
        }
        showStatus(QStringLiteral("เขียนรายงาน %1 หน้าลง %2 แล้ว")
                       .arg(pages)
                       .arg(QDir::toNativeSeparators(path)));
    });
}

void ProjectWindow::Private::print()
{
    engine::Project project;
    if (!soundProjectForOutput(project, QStringLiteral("พิมพ์")))
        return;
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(document->title().isEmpty() ? caption() : document->title());
    if (!platform::choosePrinter(q, *printer))
        return;
    whenOutputsReady(QStringLiteral("การพิมพ์"), [this, printer, project] {
        project::paintReport(printer.get(), reportContent(project));
    });
}

void ProjectWindow::Private::rememberRecent(const QString &path)
{
    QSettings store = settings();
    QStringList recent = store.value(recentKey()).toStringList();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kRecentFiles)
        recent.removeLast();
    store.setValue(recentKey(), recent);
    store.setValue(lastFolderKey(), QFileInfo(path).path());
}

void ProjectWindow::Private::fillRecentMenu()
{
    recentMenu->clear();
    const QStringList recent = settings().value(recentKey()).toStringList();
    if (recent.isEmpty()) {
        recentMenu->addAction(QStringLiteral("(ยังไม่มี)"))->setEnabled(false);
        return;
    }
    int number = 1;
    for (const QString &path : recent) {
        QAction *item = recentMenu->addAction(
            QStringLiteral("&%1 %2").arg(number++).arg(QDir::toNativeSeparators(path)));
        item->setEnabled(QFileInfo::exists(path));
        QObject::connect(item, &QAction::triggered, q, [this, path] {
            if (maybeSave())
                openPath(path);
        });
    }
}
