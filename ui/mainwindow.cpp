#include "ui/mainwindow.h"

#include "game/gamecontroller.h"
#include "media/art/picturenames.h"
#include "ui/artpictures.h"
#include "ui/background.h"
#include "ui/boardlayout.h"
#include "ui/fonts.h"
#include "ui/windowlayout.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEvent>
#include <QScreen>

#include <cstdlib>

namespace {

// The top-left corner of a cell, as Qt takes it.
QPoint cellCorner(int cell)
{
    const PixelPoint corner = cellTopLeft(cell);
    return {corner.x, corner.y};
}

class Client final : public QWidget
{
public:
    Client(const QImage &background, QWidget *parent)
        : QWidget(parent)
        , m_background(background)
    {
        // The board covers it all: Qt need not fill the window's background under it first.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *event) override { paintBackground(this, m_background, event->rect()); }

private:
    const QImage &m_background;
};

// What a screen reader says of a cell showing piecePictures[picIndex], or no picture.
QString cellDescription(int cell, int picIndex)
{
    static const char *const contents[] = {"empty", "ball", "tile", "ball, selected", "tile, selected"};
    return QStringLiteral("Cell %1: %2").arg(cell).arg(QLatin1String(contents[picIndex]));
}

QLabel *makeLabel(QWidget *parent, const QString &text, const QFont &font, const QColor &colour,
                  Qt::Alignment alignment)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAlignment(alignment);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAutoFillBackground(false);
    return label;
}

} // namespace

int MainWindow::cellInDirection(int cell, int arrowKey)
{
    QPoint direction;
    switch (arrowKey) {
    case Qt::Key_Left: direction = {-1, 0}; break;
    case Qt::Key_Right: direction = {1, 0}; break;
    case Qt::Key_Up: direction = {0, -1}; break;
    case Qt::Key_Down: direction = {0, 1}; break;
    default: return 0;
    }
    // Cells within 45 degrees of the arrow count. The board is a grid turned by 45 degrees,
    // so straight ahead is often two diagonal steps away. Weighing the sideways offset
    // double makes a cell straight ahead win over two diagonal neighbours at the same
    // distance, and a diagonal neighbour win over a cell straight ahead but far off.
    const QPoint from = cellCorner(cell);
    int best = 0;
    int bestScore = 0;
    for (int k = FirstCell; k <= LastCell; ++k) {
        const QPoint d = cellCorner(k) - from;
        const int ahead = d.x() * direction.x() + d.y() * direction.y();
        if (ahead <= 0)
            continue;
        const int sideways = std::abs(d.x() * direction.y() - d.y() * direction.x());
        if (sideways > ahead + 2) // within 45 degrees; the grid's steps vary by a pixel or two
            continue;
        const int score = ahead + 2 * sideways;
        if (best == 0 || score < bestScore) {
            best = k;
            bestScore = score;
        }
    }
    return best;
}

PicIndex MainWindow::pictureFor(Piece piece, bool selected)
{
    switch (piece) {
    case Piece::Empty: return NoPicture;
    case Piece::Ball: return selected ? BallSelectedPic : BallPic;
    case Piece::Tile: return selected ? TileSelectedPic : TilePic;
    }
    return NoPicture;
}

void MainWindow::showCell(int cell, Piece piece, bool selected)
{
    const PicIndex picIndex = pictureFor(piece, selected);
    ImageCell *box = cells[cell];
    box->setPicture(picIndex == NoPicture ? QPixmap() : piecePictures[picIndex]);
    box->setAccessibleName(cellDescription(cell, picIndex));
}

void MainWindow::showSteps(const QString &text)
{
    stepLabel->setText(text);
    // "00" before the first move is no count to say.
    stepLabel->setAccessibleName(QStringLiteral("Steps: %1").arg(text.toLongLong()));
}

void MainWindow::showTime(const QString &text)
{
    timeLabel->setText(text);
    timeLabel->adjustSize();
    timeLabel->setAccessibleName(QStringLiteral("Time: ") + text);
}

int MainWindow::focusedCell() const
{
    const QWidget *focus = focusWidget();
    for (int k = FirstCell; k <= LastCell; ++k)
        if (cells[k] == focus)
            return k;
    return 0;
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick)
        return QMainWindow::eventFilter(watched, event);
    if (m_game.watching()) {
        m_game.stopWatching();
        return true;
    }
    if (type != QEvent::KeyPress || !m_game.reviewing())
        return QMainWindow::eventFilter(watched, event);
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Left: m_game.reviewStep(-1); return true;
    case Qt::Key_Right: m_game.reviewStep(1); return true;
    case Qt::Key_Home: m_game.reviewGo(0); return true;
    case Qt::Key_End: m_game.reviewGo(m_game.review()->moveCount()); return true;
    case Qt::Key_Escape: m_game.leaveReview(); return true;
    default: return QMainWindow::eventFilter(watched, event);
    }
}

void MainWindow::showBoardNote(int from, int to, const QString &text)
{
    hints->markMove(from, to);
    // Made at the first review: most runs never show it.
    if (!m_noteLabel) {
        m_noteLabel = new QLabel(m_client);
        m_noteLabel->setObjectName(QStringLiteral("review"));
        m_noteLabel->setFont(tobrinelFont(FontFace::MsSansSerif, 7.5, true));
        m_noteLabel->setWordWrap(true);
        m_noteLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        // A pale card with a lilac-grey edge, as the clock's box on the board is painted,
        // and the board's dark red for the words.
        m_noteLabel->setStyleSheet(QStringLiteral(
            "QLabel#review { background: rgba(246, 245, 250, 225); border: 1px solid rgb(168, 160, 184);"
            " border-radius: 5px; padding: 1px 4px; color: rgb(90, 0, 10); }"));
        m_noteLabel->setGeometry(MainLayout::Review.as<QRect>());
    }
    m_noteLabel->setText(text);
    m_noteLabel->show();
    m_noteLabel->raise();
    hints->tell(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

void MainWindow::hideBoardNote()
{
    hints->clearMarks();
    if (m_noteLabel)
        m_noteLabel->hide();
    hints->tell(QString());
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    const int cell = focusedCell();
    if (!arrow || cell == 0 || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    // At the edge of the board the ring stays where it is.
    if (const int to = cellInDirection(cell, key))
        cells[to]->setFocus(Qt::OtherFocusReason);
}

MainWindow::MainWindow(GameController &game)
    : QMainWindow(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                               | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_game(game)
{
    setWindowTitle(QStringLiteral("Tobrinel - Karvolen 2003"));
    setWindowIcon(applicationIcon());

    const qreal ratio = devicePixelRatioF();
    m_background = artImage(pictures::board, ratio);
    piecePictures[BallPic] = artPixmap(pictures::ball, ratio);
    piecePictures[TilePic] = artPixmap(pictures::tile, ratio);
    piecePictures[BallSelectedPic] = artPixmap(pictures::ballSelected, ratio);
    piecePictures[TileSelectedPic] = artPixmap(pictures::tileSelected, ratio);

    m_client = new Client(m_background, this);
    m_client->setFixedSize(ClientPixels, ClientPixels);
    setCentralWidget(m_client);

    // Created in number order, so the focus chain runs 1..17 as well.
    for (int k = FirstCell; k <= LastCell; ++k) {
        auto *cell = new ImageCell(m_client);
        cell->setGeometry(QRect(cellCorner(k), QSize(CellPixels, CellPixels)));
        cell->setFocusPolicy(Qt::StrongFocus);
        connect(cell, &ImageCell::clicked, this, [this, k] { m_game.cellClicked(k); });
        cells[k] = cell;
        showCell(k, Piece::Ball, false); // the design shows a ball in every cell
    }
    cells[SharedCell]->setFocus();
    for (int k = FirstCell; k <= LastCell; ++k)
        cells[k]->installEventFilter(this);
    m_client->installEventFilter(this);

    stepLabel = makeLabel(m_client, QStringLiteral("00"), tobrinelFont(FontFace::ArialBlack, 24, true),
                        QColor(128, 128, 128), Qt::AlignHCenter | Qt::AlignTop);
    stepLabel->setGeometry(MainLayout::Steps.as<QRect>());
    showSteps(stepLabel->text());

    const QFont small = tobrinelFont(FontFace::MsSansSerif, 9.75, true);
    timeCaption = makeLabel(m_client, QStringLiteral("Time :"), small, Qt::black, Qt::AlignLeft | Qt::AlignTop);
    timeCaption->move(MainLayout::TimeCaption.left, MainLayout::TimeCaption.top);
    timeCaption->adjustSize();
    timeLabel = makeLabel(m_client, QStringLiteral("00:00:00"), small, Qt::black, Qt::AlignLeft | Qt::AlignTop);
    timeLabel->move(MainLayout::Time.left, MainLayout::Time.top);
    showTime(timeLabel->text());


    buildMenus();
    boardMenu = new BoardMenu(this, m_client, m_game);
    hints = new HintPresenter(m_client, [](int cell) { return QRect(cellCorner(cell), QSize(CellPixels, CellPixels)); });

    // The fixed square client area under the menu bar; no maximizing.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    setFixedSize(sizeHint());
    centreOnScreen();
}

void MainWindow::centreOnScreen()
{
    if (const QScreen *screen = this->screen()) {
        QRect place(QPoint(0, 0), frameGeometry().size());
        const QRect free = screen->availableGeometry();
        place.moveCenter(free.center());
        // A window larger than the screen keeps its title bar and menu on it: what falls
        // off goes off the bottom and the right, where nothing needs reaching first.
        place.moveTop(qMax(place.top(), free.top()));
        place.moveLeft(qMax(place.left(), free.left()));
        move(place.topLeft());
    }
}

void MainWindow::setVisible(bool visible)
{
    QMainWindow::setVisible(visible);
    // The frame is known only once the window is on screen.
    if (visible && !m_placed) {
        m_placed = true;
        centreOnScreen();
    }
}

void MainWindow::buildMenus()
{
    QMenu *fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    newGameAction = fileMenu->addAction(QStringLiteral("&Play, boy !!"));
    blackListAction = fileMenu->addAction(QStringLiteral("&Black List"));
    yourGamesAction = fileMenu->addAction(QStringLiteral("&Your games"));
    quitAction = fileMenu->addAction(QStringLiteral("&Garbage Dump.."));
    QMenu *settingMenu = menuBar()->addMenu(QStringLiteral("&Setting"));
    soundAction = settingMenu->addAction(QStringLiteral("&Sound"));
    soundAction->setCheckable(true);
    soundAction->setChecked(true);
    QMenu *helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    instructionsAction = helpMenu->addAction(QStringLiteral("&I don't understand"));
    aboutAction = helpMenu->addAction(QStringLiteral("&About me"));

    connect(newGameAction, &QAction::triggered, this, [this] { m_game.newGameRequested(); });
    connect(blackListAction, &QAction::triggered, this, [this] { m_game.blackListRequested(); });
    connect(yourGamesAction, &QAction::triggered, this, [this] { m_game.yourGamesRequested(); });
    // Y, like the board's keys: a key of the window, not of the menu, whose items carry none.
    auto *yourGamesKey = new QAction(this);
    yourGamesKey->setShortcut(QKeySequence(Qt::Key_Y));
    addAction(yourGamesKey);
    connect(yourGamesKey, &QAction::triggered, yourGamesAction, &QAction::trigger);
    connect(quitAction, &QAction::triggered, this, [this] { m_game.quitRequested(); });
    // Qt flips the mark first; the handler then sets it from soundOn(), which the logic owns.
    connect(soundAction, &QAction::triggered, this, [this] { m_game.soundToggled(); });
    connect(instructionsAction, &QAction::triggered, this, [this] { m_game.instructionsRequested(); });
    connect(aboutAction, &QAction::triggered, this, [this] { m_game.aboutRequested(); });
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_game.mainWindowClosed();
    event->accept();
}
