// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Drives the five exercise windows through random sequences of what a student can do:
// show and close them, type any text into the edit panel and the target field, save,
// build, cancel, start over and crash. Every box is answered and must be one of the
// program's own; after every action the working rows must be what the action allows.

#include "exercisedriver.h"

#include <QApplication>

#include <cstdio>
#include <map>
#include <string>

namespace {

// Qt's own warnings (fonts without a glyph for a typed character, raise() on the
// offscreen platform) would repeat thousands of times: each is printed once, with a count.
std::map<std::string, long long> &qtMessages()
{
    static std::map<std::string, long long> messages;
    return messages;
}

void gatherMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::abort();
    }
    ++qtMessages()[message.toStdString()];
}

} // namespace

int main(int argc, char **argv)
{
    const fuzz::Options options = fuzz::parseOptions(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(gatherMessage);
    QApplication application(argc, argv);
    guitest::startProgram();
    int result = 0;
    {
        fuzz::ExerciseDriver driver(options);
        result = driver.run();
    }
    destroyForms();
    long long total = 0;
    for (const auto &entry : qtMessages())
        total += entry.second;
    std::printf("Qt printed %lld messages, %zu different ones, such as:\n", total,
                qtMessages().size());
    int shown = 0;
    for (auto entry = qtMessages().begin(); entry != qtMessages().end() && shown < 4;
         ++entry, ++shown)
        std::printf("  %lld times: %s\n", entry->second, entry->first.c_str());
    return result;
}
