// Form2, the instructions window: one picture, no frame, no controls; a click anywhere
// closes it.
#pragma once

#include "ui/picturedialog.h"

#include <functional>

class Form2 final : public PictureDialog
{
    Q_OBJECT

public:
    // unload ends the window (its FormSlot's unload); owner is the main window it opens over.
    Form2(std::function<void()> unload, QWidget *owner);

    void Form_Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    std::function<void()> m_unload;
};
