#include "ui/qtdialogs.h"

#include "ui/centreover.h"
#include "ui/waylandextras.h"
#include "platform/sessionend.h"

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

    void setVisible(bool visible) override
    {
        Dialog::setVisible(visible);
        if (visible)
            markModalForShell(this);
    }

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

Answer QtDialogs::showMessage(const QString &prompt, DialogButtons buttons, const QString &title)
{
    if (quitting())
        return Answer::Cancel; // a box now would close before anyone saw it
    Centred<QMessageBox> box(dialogParent());
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title.isEmpty() ? QString::fromLatin1(AppName) : title);
    box.setText(prompt);
    box.setTextFormat(Qt::PlainText);

    QMessageBox::StandardButton first = QMessageBox::Ok;
    switch (buttons) {
    case DialogButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case DialogButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case DialogButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        first = QMessageBox::Yes;
        break;
    }
    box.setDefaultButton(first);

    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel; // Cancel, or the box closed
    }
}

void QtDialogs::showNote(const QString &prompt)
{
    if (quitting())
        return;
    Centred<QMessageBox> box(dialogParent());
    box.setIcon(QMessageBox::Information);
    box.setWindowTitle(QString::fromLatin1(AppName));
    box.setText(prompt);
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

QString QtDialogs::askText(const QString &prompt, const QString &title, const QString &defaultText)
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
