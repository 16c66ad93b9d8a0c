// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace platform {

enum class MessageType { Information, Error, Warning, Question };

// What a message box showed; handed to an installed answerer instead of running the box.
struct MessageRecord {
    MessageType type = MessageType::Information;
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// Tests may answer boxes without running them. With no answerer installed every box is
// a real QMessageBox run modally with exec().
using MessageBoxAnswerer = std::function<QMessageBox::StandardButton(const MessageRecord &)>;
void setMessageBoxAnswerer(MessageBoxAnswerer answerer);

// A modal box of the toolkit's standard kind: the type gives icon and caption
// ("Information" or "Error"). Returns the button pressed.
QMessageBox::StandardButton showMessage(QWidget *parent, MessageType type, const QString &text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// A box with its own caption, for windows whose texts are not the practice windows' (the
// own-project window's questions and warnings in Thai). Returns the button pressed;
// `defaultButton` is the one Enter presses.
QMessageBox::StandardButton showMessage(QWidget *parent, MessageType type, const QString &caption,
                                        const QString &text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton);

// The application's top-level error box: caption is the application title, error
// icon, OK button.
void showApplicationError(const QString &text);

// The program file's name up to its first dot, capitalised: first letter upper case, the rest
// lower case ("crashkit" gives "Crashkit").
QString applicationTitle();
QString applicationTitleFor(const QString &programFileName);

} // namespace platform
