// BlackListWindow, the black-list window: the top ten, best result first, with "&Oehh" to close it
// and "&Clear" to delete the stored table after a question. Borderless and modal over the
// main window; it shows the table and never changes it.
#pragma once

#include "ui/numberedarray.h"
#include "ui/picturedialog.h"
#include "ui/windowlayout.h"

#include <QLabel>
#include <QPushButton>

class Dialogs;
class TopTenList;

class BlackListWindow final : public PictureDialog
{
    Q_OBJECT

public:
    BlackListWindow(TopTenList &topTen, Dialogs &dialogs, QWidget *owner);

    // Row i shows entry Rows - 1 - i: the best on top.
    NumberedArray<QLabel *, 0, BlackListLayout::Rows - 1> nameLabels;
    NumberedArray<QLabel *, 0, BlackListLayout::Rows - 1> scoreLabels;
    QPushButton *closeButton = nullptr;        // "&Oehh"
    QPushButton *clearButton = nullptr;        // "&Clear"

protected:
    void changeEvent(QEvent *event) override;

private:
    // Shows the list as it stands each time the window becomes active.
    void showEntries();
    void clearClicked();
    // The caption of nameLabels(row), in the largest font that shows it whole.
    void setNameCaption(int row, const QString &name);

    TopTenList &m_topTen;
    Dialogs &m_dialogs;
    QFont m_nameFont;
};
