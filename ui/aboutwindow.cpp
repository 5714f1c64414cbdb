// The about window: its buttons at their places in ui/windowlayout.h, and handlers that hand off to the
// system-information lookup or close the window.
#include "ui/aboutwindow.h"

#include "media/art/picturenames.h"
#include "ui/fonts.h"
#include "platform/sysinfo.h"
#include "ui/windowlayout.h"

#include <QKeyEvent>
#include <QPushButton>

AboutWindow::AboutWindow(Dialogs &dialogs, Registry &registry, Launcher &launcher, QWidget *owner)
    // Nothing shows the caption; the mixed case is the game's own signature.
    : PictureDialog(owner, QStringLiteral("About TobRineL - KarVoleN 2003"), WindowSizes::About.window.as<QSize>(), pictures::about)
    , m_dialogs(dialogs)
    , m_registry(registry)
    , m_launcher(launcher)
{
    const QFont font = tobrinelFont(FontFace::MsSansSerif, 8.25, false);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setGeometry(AboutLayout::Ok.as<QRect>());
    okButton->setFont(font);
    okButton->setDefault(true);
    okButton->setToolTip(QStringLiteral("http://tobrinel.example.org/"));
    connect(okButton, &QPushButton::clicked, this, &QWidget::close);

    sysInfoButton = new QPushButton(QStringLiteral("&System Info..."), this);
    sysInfoButton->setGeometry(AboutLayout::SysInfo.as<QRect>());
    sysInfoButton->setFont(font);
    connect(sysInfoButton, &QPushButton::clicked, this, &AboutWindow::sysInfoClicked);

    setTabOrder(okButton, sysInfoButton);
    okButton->setFocus();
}


void AboutWindow::sysInfoClicked()
{
    showSystemInformation(m_dialogs, m_registry, m_launcher);
}

void AboutWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) {
        okButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
