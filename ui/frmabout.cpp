// The about window: its buttons at their places in ui/windowlayout.h, and handlers that hand off to the
// system-information lookup or close the window.
#include "ui/frmabout.h"

#include "media/art/picturenames.h"
#include "ui/fonts.h"
#include "platform/sysinfo.h"
#include "ui/windowlayout.h"

#include <QKeyEvent>
#include <QPushButton>

frmAbout::frmAbout(Dialogs &dialogs, Registry &registry, Launcher &launcher, QWidget *owner)
    // Nothing shows the caption; the mixed case is the game's own signature.
    : PictureDialog(owner, QStringLiteral("About TobRineL - KarVoleN 2003"), QSize(336, 244), pictures::about)
    , m_dialogs(dialogs)
    , m_registry(registry)
    , m_launcher(launcher)
{
    const QFont font = tobrinelFont(FontFace::MsSansSerif, 8.25, false);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(AboutLayout::Ok.as<QRect>());
    cmdOK->setFont(font);
    cmdOK->setDefault(true);
    cmdOK->setToolTip(QStringLiteral("http://tobrinel.example.org/"));
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setGeometry(AboutLayout::SysInfo.as<QRect>());
    cmdSysInfo->setFont(font);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    ::StartSysInfo(m_dialogs, m_registry, m_launcher);
}

bool frmAbout::GetKeyValue(std::uint32_t KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal)
{
    return ::GetKeyValue(m_registry, KeyRoot, KeyName, SubKeyRef, KeyVal);
}

void frmAbout::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) {
        cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
