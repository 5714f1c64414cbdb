// Form3, the black-list window: the top ten, best result first, with "&Oehh" to close it
// and "&Clear" to delete the stored table after a question. Borderless and modal over the
// main window; it shows the table and never changes it.
#pragma once

#include "ui/controlarray.h"
#include "ui/picturedialog.h"

#include <QLabel>
#include <QPushButton>

class Dialogs;
class modHiScores;

class Form3 final : public PictureDialog
{
    Q_OBJECT

public:
    Form3(modHiScores &hiScores, Dialogs &dialogs, QWidget *owner);

    ControlArray<QLabel *, 0, 9> lblName;   // row i shows TopTen(9 - i): the best on top
    ControlArray<QLabel *, 0, 9> lblScore;
    QPushButton *Command1 = nullptr;        // "&Oehh"
    QPushButton *Command2 = nullptr;        // "&Clear"

protected:
    void changeEvent(QEvent *event) override;

private:
    void Form_Activate();
    void DisplayTopTen();
    void Command1_Click();
    void Command2_Click();
    // The caption of lblName(row), in the largest font that shows it whole.
    void setNameCaption(int row, const QString &name);

    modHiScores &m_hiScores;
    Dialogs &m_dialogs;
    QFont m_nameFont;
};
