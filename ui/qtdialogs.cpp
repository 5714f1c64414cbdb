#include "ui/qtdialogs.h"

#include "ui/centreover.h"
#include "ui/sessionend.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QShowEvent>

namespace {

// A dialog centred over the window it answers. Its size is final only once the base class
// has handled the show, and it is not on screen before this returns.
template <class Dialog>
class Centred final : public Dialog
{
public:
    using Dialog::Dialog;

protected:
    void showEvent(QShowEvent *event) override
    {
        Dialog::showEvent(event);
        if (!event->spontaneous())
            centreOverOwner(this, this->parentWidget());
    }
};

// Over the window the player is looking at, so the box opens where the eyes are.
QWidget *dialogParent()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace

bool QtDialogs::quitting() const
{
    return sessionEnding();
}

int QtDialogs::MsgBox(const QString &prompt, MsgButtons buttons, const QString &title)
{
    if (quitting())
        return vbCancel; // a box now would close before anyone saw it
    Centred<QMessageBox> box(dialogParent());
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title.isEmpty() ? QString::fromLatin1(ApplicationTitle) : title);
    box.setText(prompt);
    box.setTextFormat(Qt::PlainText);

    QMessageBox::StandardButton first = QMessageBox::Ok;
    switch (buttons) {
    case MsgButtons::OkOnly:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        first = QMessageBox::Yes;
        break;
    }
    box.setDefaultButton(first);

    switch (box.exec()) {
    case QMessageBox::Ok:
        return vbOK;
    case QMessageBox::Yes:
        return vbYes;
    case QMessageBox::No:
        return vbNo;
    default:
        return vbCancel; // Cancel, or the box closed
    }
}

void QtDialogs::InfoBox(const QString &prompt)
{
    if (quitting())
        return;
    Centred<QMessageBox> box(dialogParent());
    box.setIcon(QMessageBox::Information);
    box.setWindowTitle(QString::fromLatin1(ApplicationTitle));
    box.setText(prompt);
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

QString QtDialogs::InputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    if (quitting())
        return defaultText; // nothing typed: the box's own text, without a window that flashes
    Centred<QInputDialog> dialog(dialogParent());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    // Once the game is ending, the box's loop returns at once (also one opened after the
    // signal): what was typed so far, or the default, is the best answer there will be.
    if (dialog.exec() != QDialog::Accepted)
        return quitting() ? dialog.textValue() : QString();
    return dialog.textValue();
}
