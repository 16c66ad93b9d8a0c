// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "moodlexml.h"

#include <QBuffer>
#include <QXmlStreamWriter>

#include <algorithm>

namespace worksheets {

namespace {

// Paths in any order are listed as every arrangement up to this many paths; beyond it only
// the engine's order is taken (a generated exercise has at most three).
constexpr std::size_t kArrangedPaths = 4;

QString html(const QString &text)
{
    return text.toHtmlEscaped();
}

QString numerical(const QString &value)
{
    return QStringLiteral("{1:NUMERICAL:=%1}").arg(value);
}

QString numerical(engine::Duration value)
{
    return numerical(QString::number(value));
}

QString criticalPathsBlank(const engine::Project &project, const WorkedSolution &solution)
{
    QStringList paths;
    for (const std::vector<int> &path : solution.criticalPaths.paths)
        paths << clozeEscape(QString::fromStdString(pathText(project, path)));
    QStringList answers;
    auto add = [&](const QStringList &order) {
        for (const QString &separator : {QStringLiteral(", "), QStringLiteral(",")}) {
            const QString answer = QStringLiteral("=") + order.join(separator);
            if (!answers.contains(answer))
                answers << answer;
        }
    };
    if (static_cast<std::size_t>(paths.size()) <= kArrangedPaths) {
        QStringList order = paths;
        std::sort(order.begin(), order.end());
        do
            add(order);
        while (std::next_permutation(order.begin(), order.end()));
    } else {
        add(paths);
    }
    return QStringLiteral("{1:SHORTANSWER:%1}").arg(answers.join(u'~'));
}

QString questionText(const QuizVariant &variant)
{
    const engine::Project &project = *variant.project;
    const WorkedSolution &solution = *variant.solution;
    QString text;
    text += QStringLiteral("<p>โครงการหนึ่งมีกิจกรรมดังตาราง (เวลาเป็นหน่วยเวลา ค่าเร่งเป็นบาทต่อหน่วยเวลา) "
                           "ผู้บริหารต้องการให้โครงการเสร็จภายใน <b>%1</b> หน่วยเวลา</p>")
                .arg(solution.target);
    text += QStringLiteral("<table border=\"1\" cellpadding=\"4\"><tr><th>กิจกรรม</th>"
                           "<th>กิจกรรมที่ต้องทำก่อน</th><th>เวลาปกติ</th><th>เวลาเร่งเต็มที่</th>"
                           "<th>ค่าเร่งต่อหน่วยเวลา</th></tr>");
    for (const engine::Activity &a : project.activities) {
        QStringList predecessors;
        for (const std::string &p : a.predecessors)
            predecessors << QString::fromStdString(p);
        text += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td></tr>")
                    .arg(html(QString::fromStdString(a.id)),
                         predecessors.isEmpty() ? QStringLiteral("–")
                                                : html(predecessors.join(QStringLiteral(", "))),
                         QString::number(a.normalDuration), QString::number(a.crashDuration),
                         a.crashDuration < a.normalDuration
                             ? QString::fromStdString(bahtNumber(a.crashCostPerUnit))
                             : QStringLiteral("เร่งไม่ได้"));
    }
    text += QStringLiteral("</table>");
    text += QStringLiteral("<p><img src=\"@@PLUGINFILE@@/%1\" alt=\"ข่ายงานของโครงการ\"></p>")
                .arg(html(variant.pictureName));
    text += QStringLiteral("<p>1. ระยะเวลาโครงการเมื่อใช้เวลาปกติ %1 หน่วยเวลา</p>")
                .arg(numerical(solution.schedule.projectDuration));
    text += QStringLiteral("<p>2. เวลาของบางกิจกรรมเมื่อใช้เวลาปกติ</p>"
                           "<table border=\"1\" cellpadding=\"4\"><tr><th>กิจกรรม</th><th>ES</th>"
                           "<th>LS</th><th>เวลาเผื่อ</th></tr>");
    for (const int activity : askedActivities(solution)) {
        const auto k = static_cast<std::size_t>(activity);
        text += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td></tr>")
                    .arg(html(QString::fromStdString(project.activities[k].id)),
                         numerical(solution.schedule.earliestStart[k]),
                         numerical(solution.schedule.latestStart[k]),
                         numerical(solution.schedule.totalFloat(activity)));
    }
    text += QStringLiteral("</table>");
    text += QStringLiteral("<p>3. เส้นทางวิกฤตเมื่อใช้เวลาปกติ %1<br>(เขียนรหัสกิจกรรมเรียงตามลำดับ "
                           "คั่นด้วย - เช่น A-C-F ถ้ามีหลายเส้นให้คั่นแต่ละเส้นด้วยจุลภาค "
                           "เรียงเส้นใดก่อนก็ได้)</p>")
                .arg(criticalPathsBlank(project, solution));
    text += QStringLiteral("<p>4. เร่งโครงการทีละขั้นตามวิธีในตำรา (เร่งกิจกรรมวิกฤตที่ถูกที่สุดก่อน) "
                           "จนเหลือ %1 หน่วยเวลา ค่าใช้จ่ายเพิ่มรวม %2 บาท</p>")
                .arg(solution.target)
                .arg(numerical(QString::fromStdString(bahtNumber(solution.greedyCost))));
    text += QStringLiteral("<p>5. ค่าใช้จ่ายเพิ่มที่น้อยที่สุดที่ทำให้โครงการเสร็จใน %1 หน่วยเวลา "
                           "%2 บาท</p>")
                .arg(solution.target)
                .arg(numerical(QString::fromStdString(bahtNumber(solution.leastCost.cost))));
    return text;
}

void writeText(QXmlStreamWriter &xml, const QString &element, const QString &text)
{
    xml.writeStartElement(element);
    xml.writeTextElement(QStringLiteral("text"), text);
    xml.writeEndElement();
}

} // namespace

std::vector<int> askedActivities(const WorkedSolution &solution)
{
    const int n = solution.network.size();
    std::vector<int> asked;
    if (n == 0)
        return asked;
    int widest = -1;
    for (int i = 0; i < n; ++i)
        if (solution.schedule.totalFloat(i) > 0
            && (widest < 0
                || solution.schedule.totalFloat(i) > solution.schedule.totalFloat(widest)))
            widest = i;
    for (const int candidate : {widest, n / 2, n - 1})
        if (candidate >= 0 && std::find(asked.begin(), asked.end(), candidate) == asked.end())
            asked.push_back(candidate);
    std::sort(asked.begin(), asked.end());
    return asked;
}

QString clozeEscape(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\' || c == u'}' || c == u'#' || c == u'~' || c == u'/' || c == u'"'
            || c == u'*')
            escaped += u'\\';
        escaped += c;
    }
    return escaped;
}

QByteArray moodleQuestionBank(const QString &category, const std::vector<QuizVariant> &variants)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("quiz"));

    xml.writeStartElement(QStringLiteral("question"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("category"));
    // Moodle reads '/' in a category path as a level; a '/' of the name itself is doubled.
    QString name = category;
    name.replace(u'/', QStringLiteral("//"));
    writeText(xml, QStringLiteral("category"), QStringLiteral("$course$/top/") + name);
    xml.writeStartElement(QStringLiteral("info"));
    xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
    xml.writeTextElement(QStringLiteral("text"), QString());
    xml.writeEndElement();
    xml.writeEndElement();

    for (const QuizVariant &variant : variants) {
        xml.writeStartElement(QStringLiteral("question"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("cloze"));
        writeText(xml, QStringLiteral("name"), variant.name);
        xml.writeStartElement(QStringLiteral("questiontext"));
        xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
        xml.writeTextElement(QStringLiteral("text"), questionText(variant));
        xml.writeStartElement(QStringLiteral("file"));
        xml.writeAttribute(QStringLiteral("name"), variant.pictureName);
        xml.writeAttribute(QStringLiteral("path"), QStringLiteral("/"));
        xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("base64"));
        xml.writeCharacters(QString::fromLatin1(variant.networkPng.toBase64()));
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeStartElement(QStringLiteral("generalfeedback"));
        xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
        xml.writeTextElement(QStringLiteral("text"), QString());
        xml.writeEndElement();
        xml.writeTextElement(QStringLiteral("penalty"), QStringLiteral("0.3333333"));
        xml.writeTextElement(QStringLiteral("hidden"), QStringLiteral("0"));
        xml.writeTextElement(QStringLiteral("idnumber"), QString());
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

} // namespace worksheets
