// The black-list window, laid out in code at the positions of its design.
#include "ui/blacklistwindow.h"

#include "media/art/picturenames.h"
#include "topten/toptenlist.h"
#include "platform/dialogs.h"
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

BlackListWindow::BlackListWindow(TopTenList &topTen, Dialogs &dialogs, QWidget *owner)
    : PictureDialog(owner, QStringLiteral("Hi Scores"), WindowSizes::BlackList.window.as<QSize>(), pictures::blackList)
    , m_topTen(topTen)
    , m_dialogs(dialogs)
{
    const QFont nameFont = tobrinelFont(FontFace::MsSansSerif, 9.75, true);
    m_nameFont = nameFont;
    const QFont scoreFont = tobrinelFont(FontFace::MsSansSerif, 8.25, true);
    for (int i = nameLabels.first(); i <= nameLabels.last(); ++i) {
        const QRect name = BlackListLayout::row(BlackListLayout::Name, i).as<QRect>();
        nameLabels[i] = rowLabel(this, QStringLiteral("Zenlor"), name, nameFont);
        QPalette black = nameLabels[i]->palette();
        black.setColor(QPalette::WindowText, Qt::black);
        nameLabels[i]->setPalette(black);
        const QRect score = BlackListLayout::row(BlackListLayout::Score, i).as<QRect>();
        scoreLabels[i] = rowLabel(this, QStringLiteral("00"), score, scoreFont);
    }

    // Created in tab order: "&Oehh" first, so it has the focus when the window opens.
    closeButton = new QPushButton(QStringLiteral("&Oehh"), this);
    closeButton->setGeometry(BlackListLayout::Close.as<QRect>());
    clearButton = new QPushButton(QStringLiteral("&Clear"), this);
    clearButton->setGeometry(BlackListLayout::Clear.as<QRect>());
    closeButton->setFocus();
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(clearButton, &QPushButton::clicked, this, &BlackListWindow::clearClicked);
}

void BlackListWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showEntries();
}

void BlackListWindow::showEntries()
{
    for (int i = nameLabels.first(); i <= nameLabels.last(); ++i) {
        const TopTenEntry &entry = m_topTen.entries()[BlackListLayout::Rows - 1 - i];
        setNameCaption(i, entry.name.text());
        // A stored entry that could not be read shows no score: it is not a result.
        scoreLabels[i]->setText(entry.damaged ? QStringLiteral("?") : entry.score.toString());
    }
}

void BlackListWindow::setNameCaption(int row, const QString &name)
{
    QLabel *label = nameLabels[row];
    const QString caption = oneLine(name);
    label->setText(caption);
    label->setFont(fittedFont(label, m_nameFont, caption));
}


void BlackListWindow::clearClicked()
{
    if (m_dialogs.showMessage(QStringLiteral("Are you sure to clear this board ??"), DialogButtons::YesNo,
                         QStringLiteral("Oh My God"))
        == Answer::Yes) {
        m_topTen.clear();
        showEntries();
    }
}
