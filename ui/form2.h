// Form2, the instructions window: one picture, no frame, no controls; a click anywhere
// closes it.
#pragma once

#include "ui/picturedialog.h"

class Form2 final : public PictureDialog
{
    Q_OBJECT

public:
    // owner is the main window it opens over.
    explicit Form2(QWidget *owner);

    void Form_Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
