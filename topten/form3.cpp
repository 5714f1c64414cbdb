// The black-list window, laid out in code at the positions of its design.
#include "topten/form3.h"

#include "media/art/picturenames.h"
#include "topten/hiscores.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/windowlayout.h"

#include <QEvent>
#include <QFontMetrics>

#include <algorithm>

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

// The largest size up to the label's own font at which text fits the label's width, so
// that six of the widest characters show whole; the label keeps its size.
QFont fittedFont(const QLabel *label, const QFont &designFont, const QString &text)
{
    const int room = label->contentsRect().width();
    QFont font = designFont;
    for (qreal size = designFont.pointSizeF(); size > 3; size -= 0.25) {
        font.setPointSizeF(size);
        const QFontMetrics metrics(font);
        if (std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).width()) <= room)
            break;
    }
    return font;
}

// A name stored before line breaks were taken out of nicknames still shows on one line.
QString oneLine(QString text)
{
    for (QChar &c : text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
    }
    return text;
}

} // namespace

Form3::Form3(modHiScores &hiScores, Dialogs &dialogs, QWidget *owner)
    : PictureDialog(owner, QStringLiteral("Hi Scores"), QSize(330, 359), pictures::blackList)
    , m_hiScores(hiScores)
    , m_dialogs(dialogs)
{
    const QFont nameFont = tobrinelFont(FontFace::MsSansSerif, 9.75, true);
    m_nameFont = nameFont;
    const QFont scoreFont = tobrinelFont(FontFace::MsSansSerif, 8.25, true);
    for (int i = lblName.first(); i <= lblName.last(); ++i) {
        const QRect name = BlackListLayout::row(BlackListLayout::Name, i).as<QRect>();
        lblName[i] = rowLabel(this, QStringLiteral("Zenlor"), name, nameFont);
        QPalette black = lblName[i]->palette();
        black.setColor(QPalette::WindowText, Qt::black);
        lblName[i]->setPalette(black);
        const QRect score = BlackListLayout::row(BlackListLayout::Score, i).as<QRect>();
        lblScore[i] = rowLabel(this, QStringLiteral("00"), score, scoreFont);
    }

    // Created in tab order: "&Oehh" first, so it has the focus when the window opens.
    Command1 = new QPushButton(QStringLiteral("&Oehh"), this);
    Command1->setGeometry(BlackListLayout::Close.as<QRect>());
    Command2 = new QPushButton(QStringLiteral("&Clear"), this);
    Command2->setGeometry(BlackListLayout::Clear.as<QRect>());
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
        setNameCaption(i, entry.Name.text());
        // A stored entry that could not be read shows no score: it is not a result.
        lblScore[i]->setText(entry.Damaged ? QStringLiteral("?") : entry.Score.toString());
    }
}

void Form3::setNameCaption(int row, const QString &name)
{
    QLabel *label = lblName[row];
    const QString caption = oneLine(name);
    label->setText(caption);
    label->setFont(fittedFont(label, m_nameFont, caption));
}

void Form3::Command1_Click()
{
    close();
}

void Form3::Command2_Click()
{
    if (m_dialogs.MsgBox(QStringLiteral("Are you sure to clear this board ??"), MsgButtons::YesNo,
                         QStringLiteral("Oh My God"))
        == vbYes) {
        m_hiScores.ClearTopTen();
        DisplayTopTen();
    }
}
