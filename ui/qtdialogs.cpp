#include "ui/qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

// Over the window the player is looking at, so the box opens where the eyes are.
QWidget *dialogParent()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace

int QtDialogs::MsgBox(const QString &prompt, MsgButtons buttons, const QString &title)
{
    QMessageBox box(dialogParent());
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

QString QtDialogs::InputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    QInputDialog dialog(dialogParent());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}
