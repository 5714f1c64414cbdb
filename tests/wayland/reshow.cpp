// A modal dialog over a window, shown, hidden and shown again on the player's Wayland
// desktop, as the GNOME test asks line by line on standard input ("show", "hide", "quit").
// The game's dialogs tell GNOME's shell they are modal through the game's Wayland module;
// the shell accepts that once for each Wayland surface and ends the connection at a second
// request, and Qt gives a window a new surface each time it shows it again. The exit code
// is 0 only if the connection lived to the end.
#include "ui/waylandextras.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QSocketNotifier>
#include <QVBoxLayout>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

class ModalDialog final : public QDialog
{
public:
    using QDialog::QDialog;

    void setVisible(bool visible) override
    {
        QDialog::setVisible(visible);
        if (visible)
            markModalForShell(this);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget owner;
    owner.setWindowTitle(QStringLiteral("Reshow owner"));
    owner.resize(420, 420);
    owner.show();
    ModalDialog dialog(&owner);
    dialog.setWindowTitle(QStringLiteral("Reshow dialog"));
    dialog.setModal(true);
    (new QVBoxLayout(&dialog))->addWidget(new QLabel(QStringLiteral("Shown again and again"), &dialog));
    dialog.setFixedSize(260, 120);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char line[64];
        const ssize_t got = read(STDIN_FILENO, line, sizeof line - 1);
        if (got <= 0) {
            app.quit();
            return;
        }
        const std::string command(line, size_t(got));
        if (command.rfind("show", 0) == 0)
            dialog.show();
        else if (command.rfind("hide", 0) == 0)
            dialog.hide();
        else
            app.quit();
        std::printf("done %s", command.c_str());
        std::fflush(stdout);
    });
    return app.exec();
}
