// Form2, the instructions window: one picture, no frame, no controls; a click anywhere
// closes it.
#pragma once

#include <QDialog>
#include <QPixmap>

#include <functional>

class Form2 final : public QDialog
{
    Q_OBJECT

public:
    // unload ends the window (its FormSlot's unload); owner is the main window it opens over.
    Form2(std::function<void()> unload, QWidget *owner);

    void Form_Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QPixmap m_picture;
    std::function<void()> m_unload;
};
