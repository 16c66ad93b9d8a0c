// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "lpreference.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace enginetest {

namespace {

// One MathProg model holding every problem side by side: the problems share no variable,
// so minimising their sum minimises each, and after solving each one's own objective is
// printed on a line "k value".
std::string mathProgModel(const std::vector<LpProblem> &problems)
{
    std::ostringstream model;
    std::ostringstream objective, report;
    objective << "minimize total: 0";
    for (std::size_t k = 0; k < problems.size(); ++k) {
        const engine::Project &project = *problems[k].project;
        const std::size_t n = project.activities.size();
        std::unordered_map<std::string, std::size_t> index;
        for (std::size_t i = 0; i < n; ++i)
            index[project.activities[i].id] = i;
        auto s = [&](std::size_t i) { return 's' + std::to_string(k) + '_' + std::to_string(i); };
        auto x = [&](std::size_t i) { return 'x' + std::to_string(k) + '_' + std::to_string(i); };
        report << "printf \"" << k << " %.17g\\n\", 0";
        for (std::size_t i = 0; i < n; ++i) {
            const engine::Activity &a = project.activities[i];
            model << "var " << s(i) << " >= 0;\nvar " << x(i)
                  << " >= 0, <= " << a.normalDuration - a.crashDuration << ";\n";
            objective << " + " << a.crashCostPerUnit << " * " << x(i);
            report << " + " << a.crashCostPerUnit << " * " << x(i);
        }
        // An activity's finish is s + normal - x; each link compares a start or finish of
        // the predecessor, plus the lag, with one of the activity.
        auto finish = [&](std::size_t i) {
            return s(i) + " - " + x(i) + " + "
                + std::to_string(project.activities[i].normalDuration);
        };
        for (std::size_t i = 0; i < n; ++i) {
            const engine::Activity &a = project.activities[i];
            for (std::size_t m = 0; m < a.predecessors.size(); ++m) {
                const std::size_t p = index.at(a.predecessors[m]);
                const engine::LinkTiming t = a.linkTiming(m);
                const bool fromFinish = t.type == engine::LinkType::FinishToStart
                    || t.type == engine::LinkType::FinishToFinish;
                const bool toStart = t.type == engine::LinkType::FinishToStart
                    || t.type == engine::LinkType::StartToStart;
                model << "s.t. l" << k << "_" << i << "_" << m << ": "
                      << (toStart ? s(i) : finish(i)) << " >= " << (fromFinish ? finish(p) : s(p))
                      << " + " << t.lag << ";\n";
            }
            model << "s.t. f" << k << "_" << i << ": " << s(i) << " - " << x(i)
                  << " <= " << problems[k].target - a.normalDuration << ";\n";
        }
        report << ";\n";
    }
    model << objective.str() << ";\nsolve;\n" << report.str() << "end;\n";
    return model.str();
}

std::string readAll(const std::filesystem::path &path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::vector<double> solveWithGlpsol(const std::vector<LpProblem> &problems)
{
    namespace fs = std::filesystem;
    std::random_device entropy;
    const fs::path folder = fs::temp_directory_path()
        / ("crashkit-lp-" + std::to_string(entropy()) + "-" + std::to_string(entropy()));
    fs::create_directories(folder);
    const fs::path modelFile = folder / "timecost.mod", output = folder / "optima.txt",
                   log = folder / "glpsol.log";
    {
        std::ofstream model(modelFile);
        model << mathProgModel(problems);
    }
    std::string command = std::string("\"") + CRASHKIT_GLPSOL + "\" --math \"" + modelFile.string()
        + "\" -y \"" + output.string() + "\" > \"" + log.string() + "\" 2>&1";
#ifdef _WIN32
    // cmd.exe /c drops the first and the last quote of a line with more than two; one more
    // pair around the whole line keeps every path quoted.
    command = "\"" + command + "\"";
#endif
    const int status = std::system(command.c_str());
    const std::string report = readAll(output), messages = readAll(log);
    fs::remove_all(folder);
    if (status != 0 || messages.find("OPTIMAL LP SOLUTION FOUND") == std::string::npos)
        throw std::runtime_error("glpsol found no optimum (status " + std::to_string(status)
                                 + "):\n" + messages);

    std::vector<double> optima(problems.size());
    std::vector<bool> seen(problems.size(), false);
    std::istringstream lines(report);
    std::size_t k;
    double value;
    while (lines >> k >> value) {
        if (k >= problems.size() || seen[k])
            throw std::runtime_error("glpsol printed an unexpected line for problem "
                                     + std::to_string(k));
        optima[k] = value;
        seen[k] = true;
    }
    for (std::size_t i = 0; i < problems.size(); ++i) {
        if (!seen[i])
            throw std::runtime_error("glpsol printed no optimum for problem " + std::to_string(i));
    }
    return optima;
}

} // namespace enginetest
