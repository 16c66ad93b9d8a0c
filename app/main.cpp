// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "console.h"
#include "fonts.h"
#include "forms.h"
#include "jpeg.h"
#include "messagebox.h"
#include "tform1.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QStyleFactory>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Without a display the toolkit would abort with a terse message; say what is needed.
    const QByteArray platformName = qgetenv("QT_QPA_PLATFORM");
    if (platformName.isEmpty() && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
        std::fputs("crashkit: this program opens windows and needs a graphical display "
                   "(X11 or Wayland); none was found (DISPLAY and WAYLAND_DISPLAY are unset).\n",
                   stderr);
        return 2;
#endif
    }
#ifdef Q_OS_WIN
    // FreeType draws the text on Windows too, so it looks as it was designed (see fonts.h).
    QStringList commandLine;
    for (int i = 1; i < argc; ++i)
        commandLine.append(QString::fromLocal8Bit(argv[i]));
    if (const auto chosen = platform::windowsPlatformWithFontEngine(platformName, commandLine))
        qputenv("QT_QPA_PLATFORM", *chosen);
#endif
    // What the command line makes the program print goes to the console it was started from.
    platform::StartingConsole console;
    QApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(CRASHKIT_VERSION));
    // `crashkit [FILE]`: a project file (.crashkit or .csv) to open in the own-project window,
    // as the desktop passes a double-clicked file.
    QCommandLineParser arguments;
    arguments.setApplicationDescription(
        QStringLiteral("Crashkit: practise crashing a project with PERT/CPM."));
    arguments.addHelpOption();
    arguments.addVersionOption();
    arguments.addPositionalArgument(QStringLiteral("file"),
                                    QStringLiteral("A project to open (.crashkit or .csv)."),
                                    QStringLiteral("[file]"));
    const QCommandLineOption practise(
        QStringLiteral("practise"),
        QStringLiteral("Work the project (or an answers file) step by step in \"ฝึกทำเอง\"."),
        QStringLiteral("file"));
    arguments.addOption(practise);
    if (!arguments.parse(QCoreApplication::arguments())) {
        platform::writeText(
            stderr,
            QStringLiteral("crashkit: %1\nTry 'crashkit --help'.\n").arg(arguments.errorText()));
        return 2;
    }
    if (arguments.isSet(QStringLiteral("help"))) {
        platform::writeText(stdout, arguments.helpText());
        return 0;
    }
    if (arguments.isSet(QStringLiteral("version"))) {
        platform::writeText(stdout, QStringLiteral("crashkit " CRASHKIT_VERSION "\n"));
        return 0;
    }
    if (arguments.positionalArguments().size() > 1
        || (arguments.isSet(practise) && !arguments.positionalArguments().isEmpty())
        || arguments.values(practise).size() > 1) {
        platform::writeText(
            stderr,
            QStringLiteral("crashkit: give at most one file, to open or (with --practise) to "
                           "practise on.\nTry 'crashkit --help'.\n"));
        return 2;
    }
    console.release();
    // Lets a Wayland desktop match the windows to the installed desktop entry (its file name
    // without .desktop, the same reverse-DNS id as the AppStream metainfo's).
    QGuiApplication::setDesktopFileName(QStringLiteral("example.c_seed_def725b8.crashkit"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Without Qt's JPEG plugin every picture would stay blank; stop and say why instead.
    if (!platform::canDecodeJpeg()) {
        const QString message = platform::missingJpegSupportMessage();
        std::fprintf(stderr, "crashkit: %s\n", qUtf8Printable(message));
        platform::showApplicationError(message);
        return 1;
    }
    // The Thai fonts a copy of the program may carry beside it (the Windows zip does).
    QStringList refusedFonts;
    platform::addBundledFonts(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("fonts")),
        &refusedFonts);
    for (const QString &file : refusedFonts)
        std::fprintf(stderr, "crashkit: fonts/%s is not a font Qt can read; skipped.\n",
                     qUtf8Printable(file));
    // Closing a secondary window only hides it; the main window's close ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    createForms();
    Form1->show();
    if (!arguments.positionalArguments().isEmpty())
        openInProjectWindow(arguments.positionalArguments().front());
    else if (arguments.isSet(practise))
        openInTrainerWindow(arguments.value(practise));
    const int result = QApplication::exec();
    destroyForms();
    return result;
}
