// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "messagebox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>

#include <algorithm>

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
    for (const auto &[button, caption] : record.buttonTexts)
        if (QAbstractButton *shown = box.button(button))
            shown->setText(caption);
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
                                        QMessageBox::StandardButton defaultButton,
                                        const ButtonTexts &buttonTexts)
{
    ButtonTexts texts;
    for (const QMessageBox::StandardButton button :
         {QMessageBox::Ok, QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel,
          QMessageBox::Yes, QMessageBox::No, QMessageBox::Close, QMessageBox::Ignore,
          QMessageBox::Retry}) {
        if (!buttons.testFlag(button))
            continue;
        const auto own
            = std::find_if(buttonTexts.begin(), buttonTexts.end(),
                           [button](const auto &entry) { return entry.first == button; });
        texts.emplace_back(button, own != buttonTexts.end() ? own->second : thaiButtonText(button));
    }
    return run(parent, MessageRecord {type, caption, text, buttons, std::move(texts)},
               defaultButton);
}

QString thaiButtonText(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok:
        return QStringLiteral("ตกลง");
    case QMessageBox::Save:
        return QStringLiteral("บันทึก");
    case QMessageBox::Discard:
        return QStringLiteral("ไม่บันทึก");
    case QMessageBox::Cancel:
        return QStringLiteral("ยกเลิก");
    case QMessageBox::Yes:
        return QStringLiteral("ใช่");
    case QMessageBox::No:
        return QStringLiteral("ไม่ใช่");
    case QMessageBox::Close:
        return QStringLiteral("ปิด");
    case QMessageBox::Ignore:
        return QStringLiteral("ข้าม");
    case QMessageBox::Retry:
        return QStringLiteral("ลองใหม่");
    default:
        return {};
    }
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
