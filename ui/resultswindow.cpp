#include "ui/resultswindow.h"

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

ResultsWindow::ResultsWindow()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("You Win !!!"));
    setFixedSize(WindowSizes::Results.window.as<QSize>());

    const qreal ratio = devicePixelRatioF();
    // The picture is narrower than the window; paintBackground carries its right edge over.
    m_background = artImage(pictures::results, ratio);

    for (int rank = 1; rank <= 3; ++rank)
        rankPictures[rank] = artPixmap(pictures::banners[rank - 1], ratio);

    timeLabel = resultLabel(this, QStringLiteral("00:00:00"), ResultsLayout::Time);
    stepsLabel = resultLabel(this, QStringLiteral("00"), ResultsLayout::Steps);

    rankBanner = new QLabel(this);
    rankBanner->setGeometry(ResultsLayout::Banner.as<QRect>());
    rankBanner->setPixmap(rankPictures[1]);

    greatButton = new QToolButton(this);
    greatButton->setText(QStringLiteral("&Great"));
    greatButton->setIcon(storedIcon({pictures::tick16, pictures::tick32}));
    greatButton->setIconSize(QSize(32, 32));
    greatButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    greatButton->setGeometry(ResultsLayout::Button.as<QRect>());
    greatButton->setFocusPolicy(Qt::StrongFocus);
    greatButton->setFocus();
    connect(greatButton, &QToolButton::clicked, this, &QWidget::close);

    // Centred on the screen where the main window is, like a window with no owner.
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void ResultsWindow::showResult(int rank, const QString &time, const QString &steps)
{
    // The captions and the rank's word are painted; a screen reader gets them as text.
    static const char *const rankWords[] = {"", "Genius", "Smart", "Stupid"};
    rankBanner->setPixmap(rankPictures[rank]);
    rankBanner->setAccessibleName(QStringLiteral("Rank: %1").arg(QLatin1String(rankWords[rank])));
    timeLabel->setText(time);
    timeLabel->adjustSize();
    timeLabel->setAccessibleName(QStringLiteral("Time: ") + time);
    stepsLabel->setText(steps);
    stepsLabel->adjustSize();
    stepsLabel->setAccessibleName(QStringLiteral("Steps: ") + steps);
}

void ResultsWindow::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        greatButton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ResultsWindow::paintEvent(QPaintEvent *event)
{
    paintBackground(this, m_background, event->rect());
}

void ResultsWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit closed();
}
