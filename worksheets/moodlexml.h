// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"
#include "solution.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace worksheets {

// One exercise of a class set as a Moodle question.
struct QuizVariant {
    QString name; // the question's name in the bank
    const engine::Project *project = nullptr;
    const WorkedSolution *solution = nullptr;
    QByteArray networkPng; // the network without times, shown in the question
    QString pictureName; // a file name for it, unique within the bank, e.g. "network-01.png"
};

// A Moodle XML question bank: a category named `category`, then one embedded-answers (Cloze)
// question per variant. Each asks, in Thai, with the activity table and the network picture
// (embedded as a base64 file, referred to as @@PLUGINFILE@@/name): the normal project
// duration; ES, LS and total float of the activities askedActivities() picks; the critical
// paths; the textbook greedy's total extra cost to the target; the least extra cost there.
// Numbers are NUMERICAL blanks (exact), the critical paths one SHORTANSWER blank that takes
// the paths in any order, ids joined with '-' and paths with ',' or ', '.
QByteArray moodleQuestionBank(const QString &category, const std::vector<QuizVariant> &variants);

// The activities whose ES, LS and float a question asks for (indices, ascending): the one of
// largest float (the first on a tie) when any has float, the middle one and the last one, so
// one to three activities.
std::vector<int> askedActivities(const WorkedSolution &solution);

// `text` as an answer inside a Cloze blank: the characters Cloze reads itself (\ } # ~ / " and
// the wildcard *) escaped with a backslash.
QString clozeEscape(const QString &text);

} // namespace worksheets
