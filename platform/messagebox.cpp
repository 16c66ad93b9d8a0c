// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "messagebox.h"

#include <QApplication>
#include <QFileInfo>

namespace platform {
namespace {

MessageBoxAnswerer &answerer()
{
    static MessageBoxAnswerer instance;
    return instance;
}

QMessageBox::Icon iconOf(MessageType type)
{
    switch (type) {
    case MessageType::Error:
        return QMessageBox::Critical;
    case MessageType::Warning:
        return QMessageBox::Warning;
    case MessageType::Question:
        return QMessageBox::Question;
    case MessageType::Information:
        break;
    }
    return QMessageBox::Information;
}

QMessageBox::StandardButton run(QWidget *parent, const MessageRecord &record,
                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    if (answerer())
        return answerer()(record);
    QMessageBox box(iconOf(record.type), record.caption, record.text, record.buttons, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void setMessageBoxAnswerer(MessageBoxAnswerer newAnswerer)
{
    answerer() = std::move(newAnswerer);
}

QMessageBox::StandardButton showMessage(QWidget *parent, MessageType type, const QString &text,
                                        QMessageBox::StandardButtons buttons)
{
    const QString caption
        = type == MessageType::Error ? QStringLiteral("Error") : QStringLiteral("Information");
    return run(parent, MessageRecord {type, caption, text, buttons});
}

QMessageBox::StandardButton showMessage(QWidget *parent, MessageType type, const QString &caption,
                                        const QString &text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    return run(parent, MessageRecord {type, caption, text, buttons}, defaultButton);
}

void showApplicationError(const QString &text)
{
    run(QApplication::activeWindow(),
        MessageRecord {MessageType::Error, applicationTitle(), text, QMessageBox::Ok});
}

QString applicationTitleFor(const QString &programFileName)
{
    QString name = QFileInfo(programFileName).fileName();
    name = name.left(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
    if (name.isEmpty())
        return name;
    return name.left(1).toUpper() + name.mid(1).toLower();
}

QString applicationTitle()
{
    return applicationTitleFor(QCoreApplication::applicationFilePath());
}

} // namespace platform
