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

QMessageBox::StandardButton run(QWidget *parent, const MessageRecord &record)
{
    if (answerer())
        return answerer()(record);
    QMessageBox box(record.type == MessageType::Error ? QMessageBox::Critical
                                                      : QMessageBox::Information,
                    record.caption, record.text, record.buttons, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
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
