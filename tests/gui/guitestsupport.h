#pragma once

#include "forms.h"
#include "tform1.h"
#include "messagebox.h"
#include "windows.h"

#include <QAction>
#include <QApplication>
#include <QStyleFactory>
#include <QWidget>
#include <QtTest>

#include <vector>

namespace guitest {

// Creates the seven windows as the program does, with the program's style.
inline void startProgram()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
    createForms();
}

template <typename T>
T *child(QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qWarning("no child %s of type %s", name, T::staticMetaObject.className());
    return found;
}

// Answers every message box the program shows and keeps what it showed.
class BoxRecorder {
public:
    explicit BoxRecorder(QMessageBox::StandardButton answer = QMessageBox::Ok)
    {
        platform::setMessageBoxAnswerer([this, answer](const platform::MessageRecord &record) {
            boxes.push_back(record);
            return answer == QMessageBox::Ok && record.buttons.testFlag(QMessageBox::Yes)
                       ? QMessageBox::Yes
                       : answer;
        });
    }
    ~BoxRecorder() { platform::setMessageBoxAnswerer({}); }
    BoxRecorder(const BoxRecorder &) = delete;
    BoxRecorder &operator=(const BoxRecorder &) = delete;

    std::vector<platform::MessageRecord> boxes;
};

} // namespace guitest
