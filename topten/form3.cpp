// The black-list window, laid out in code at the positions of its design.
#include "topten/form3.h"

#include "topten/hiscores.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"

#include <QEvent>

namespace {

QLabel *rowLabel(QWidget *parent, const QString &caption, const QRect &geometry, const QFont &font)
{
    auto *label = new QLabel(caption, parent);
    // A nickname is shown as typed: "<b>" is three characters, not markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(font);
    label->setGeometry(geometry);
    return label;
}

} // namespace

Form3::Form3(modHiScores &hiScores, Dialogs &dialogs, std::function<void()> unload, QWidget *owner)
    : PictureDialog(owner, QStringLiteral("Hi Scores"), QSize(330, 359), QStringLiteral("blacklist"))
    , m_hiScores(hiScores)
    , m_dialogs(dialogs)
    , m_unload(std::move(unload))
{
    const QFont nameFont = tobrinelFont(FontFace::MsSansSerif, 9.75, true);
    const QFont scoreFont = tobrinelFont(FontFace::MsSansSerif, 8.25, true);
    for (int i = lblName.first(); i <= lblName.last(); ++i) {
        lblName[i] = rowLabel(this, QStringLiteral("Zenlor"), QRect(48, 120 + 16 * i, 73, 17), nameFont);
        QPalette black = lblName[i]->palette();
        black.setColor(QPalette::WindowText, Qt::black);
        lblName[i]->setPalette(black);
        lblScore[i] = rowLabel(this, QStringLiteral("00"), QRect(208, 120 + 16 * i, 65, 17), scoreFont);
    }

    // Created in tab order: "&Oehh" first, so it has the focus when the window opens.
    Command1 = new QPushButton(QStringLiteral("&Oehh"), this);
    Command1->setGeometry(224, 328, 49, 25);
    Command2 = new QPushButton(QStringLiteral("&Clear"), this);
    Command2->setGeometry(48, 328, 49, 25);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);
}

void Form3::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void Form3::Form_Activate()
{
    DisplayTopTen();
}

void Form3::DisplayTopTen()
{
    for (int i = lblName.first(); i <= lblName.last(); ++i) {
        const TopTenEntry &entry = m_hiScores.TopTen[9 - i];
        lblName[i]->setText(entry.Name.text());
        lblScore[i]->setText(entry.Score.toString());
    }
}

void Form3::Command1_Click()
{
    m_unload();
}

void Form3::Command2_Click()
{
    if (m_dialogs.MsgBox(QStringLiteral("Are you sure to clear this board ??"), MsgButtons::YesNo,
                         QStringLiteral("Oh My God"))
        == vbYes)
        m_hiScores.ClearTopTen();
}
