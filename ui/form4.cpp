#include "ui/form4.h"

#include "media/art/picturenames.h"
#include "ui/artpictures.h"
#include "ui/background.h"
#include "ui/fonts.h"
#include "ui/imagestore.h"
#include "ui/windowlayout.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

namespace {

// Sized to its text from the place's top-left corner.
QLabel *resultLabel(QWidget *parent, const QString &text, ControlPlace place)
{
    auto *label = new QLabel(text, parent);
    label->setFont(tobrinelFont(FontFace::MsSansSerif, 13.5, true));
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->move(place.left, place.top);
    label->adjustSize();
    return label;
}

} // namespace

Form4::Form4()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("You Win !!!"));
    setFixedSize(387, 364);

    const qreal ratio = devicePixelRatioF();
    // The picture is 385 wide; paintBackground carries its right edge over the last two columns.
    m_background = artImage(pictures::results, ratio);

    for (int rank = 1; rank <= 3; ++rank)
        pic[rank] = artPixmap(pictures::banners[rank - 1], ratio);

    waktulbl = resultLabel(this, QStringLiteral("00:00:00"), ResultsLayout::Time);
    langkahlbl = resultLabel(this, QStringLiteral("00"), ResultsLayout::Steps);

    Image1 = new QLabel(this);
    Image1->setGeometry(ResultsLayout::Banner.as<QRect>());
    Image1->setPixmap(pic[1]);

    Command1 = new QToolButton(this);
    Command1->setText(QStringLiteral("&Great"));
    Command1->setIcon(storedIcon({pictures::tick16, pictures::tick32}));
    Command1->setIconSize(QSize(32, 32));
    Command1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Command1->setGeometry(ResultsLayout::Button.as<QRect>());
    Command1->setFocusPolicy(Qt::StrongFocus);
    Command1->setFocus();
    connect(Command1, &QToolButton::clicked, this, &Form4::Command1_Click);

    // Centred on the screen where the main window is, like a window with no owner.
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void Form4::showResult(int rank, const QString &time, const QString &steps)
{
    // The captions and the rank's word are painted; a screen reader gets them as text.
    static const char *const rankWords[] = {"", "Genius", "Smart", "Stupid"};
    Image1->setPixmap(pic[rank]);
    Image1->setAccessibleName(QStringLiteral("Rank: %1").arg(QLatin1String(rankWords[rank])));
    waktulbl->setText(time);
    waktulbl->adjustSize();
    waktulbl->setAccessibleName(QStringLiteral("Time: ") + time);
    langkahlbl->setText(steps);
    langkahlbl->adjustSize();
    langkahlbl->setAccessibleName(QStringLiteral("Steps: ") + steps);
}

void Form4::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        Command1->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form4::paintEvent(QPaintEvent *event)
{
    paintBackground(this, m_background, event->rect());
}

void Form4::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit closed();
}

void Form4::Command1_Click()
{
    close();
}
