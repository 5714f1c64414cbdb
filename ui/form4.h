// Form4, the results window of a won game: the time, the steps and the rank banner over
// the painted captions, and "&Great" to close it. Modeless, without an owner, borderless.
#pragma once

#include "ui/controlarray.h"

#include <QLabel>
#include <QToolButton>
#include <QWidget>

class Form4 final : public QWidget
{
    Q_OBJECT

public:
    Form4();

    // Fills the window for a win: the banner of rank 1..3, the time and the steps.
    void showResult(int rank, const QString &time, const QString &steps);

    QLabel *waktulbl = nullptr;    // waktu = time
    QLabel *langkahlbl = nullptr;  // langkah = step
    QLabel *Image1 = nullptr;      // the rank banner
    ControlArray<QPixmap, 1, 3> pic; // GENIUS, SMART, STUPID
    QToolButton *Command1 = nullptr; // "&Great"

signals:
    // Closed by "&Great" or the window manager; its window slot unloads it.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override; // Return presses "&Great", as Space does

private:
    void Command1_Click();

    QImage m_background;
};
