// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "wordingsupport.h"

#include "verdicttext.h"

#include <algorithm>

namespace trainer {

QString joinedThai(const QStringList &names)
{
    if (names.size() <= 1)
        return names.value(0);
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" และ ")
        + names.back();
}

QString namesOf(const engine::Project &project, const std::vector<int> &activities)
{
    QStringList names;
    for (const int a : activities)
        names << activityName(project, a);
    return joinedThai(names);
}

std::vector<int> successorsOf(const engine::Project &project, int activity)
{
    std::vector<int> after;
    if (activity < 0 || static_cast<std::size_t>(activity) >= project.activities.size())
        return after;
    const std::string &id = project.activities[static_cast<std::size_t>(activity)].id;
    for (std::size_t i = 0; i < project.activities.size(); ++i) {
        const std::vector<std::string> &before = project.activities[i].predecessors;
        if (std::find(before.begin(), before.end(), id) != before.end())
            after.push_back(static_cast<int>(i));
    }
    return after;
}

QString activityName(const engine::Project &project, int activity)
{
    if (activity < 0 || static_cast<std::size_t>(activity) >= project.activities.size())
        return QStringLiteral("ลำดับที่ %1").arg(activity + 1);
    return QString::fromStdString(project.activities[static_cast<std::size_t>(activity)].id);
}

QString pathName(const engine::Project &project, const std::vector<int> &path)
{
    QStringList names;
    for (const int a : path)
        names << activityName(project, a);
    return names.join(u'-');
}

} // namespace trainer
