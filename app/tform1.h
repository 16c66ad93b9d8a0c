// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QMainWindow>

class QAction;

// The title page: objectives, expected benefits and the main menu, the only way into
// the primer and the practice sets. It has no data of its own.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);

    // Menu handlers.
    void PERTCPM3Click();
    void N12Click();
    void N22Click();
    void N31Click();
    void N41Click();
    void N51Click();
    void MyProjectClick();
    void TrainerClick();
    void N2Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildTitlePanel(QWidget *client);
    void buildTextBoxes(QWidget *client);
    void buildMenu();
};
