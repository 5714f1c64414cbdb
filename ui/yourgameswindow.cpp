#include "ui/yourgameswindow.h"

#include "game/gamecontroller.h"
#include "history/historyfile.h"
#include "topten/settingsstore.h"
#include "platform/dialogs.h"
#include "ui/waylandextras.h"

#include <QAbstractTableModel>
#include <QAccessible>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

QString decimal(const std::optional<double> &value)
{
    if (!value)
        return QStringLiteral("none yet");
    const double rounded = std::round(*value * 10) / 10;
    return QString::number(rounded, 'f', rounded == std::floor(rounded) ? 0 : 1);
}

QString whole(const std::optional<std::int64_t> &value)
{
    return value ? QString::number(*value) : QStringLiteral("none yet");
}

QString helpText(const GameRecord &game)
{
    QStringList used;
    const auto count = [&used](int n, const char *one, const char *many) {
        if (n > 0)
            used << (n == 1 ? QString::fromLatin1(one) : QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(many)));
    };
    count(game.hints, "a hint", "hints");
    count(game.watches, "watched", "watches");
    count(game.undos, "an undo", "undos");
    return used.isEmpty() ? QStringLiteral("none") : used.join(QStringLiteral(", "));
}

} // namespace

// The past games, newest first; a model rather than a widget per row, so that 10,000 games
// cost nothing until they scroll into view.
class PastGamesModel final : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setView(std::shared_ptr<const HistoryView> view)
    {
        beginResetModel();
        m_view = std::move(view);
        endResetModel();
    }

    const GameRecord *game(int row) const
    {
        if (!m_view || row < 0 || row >= rowCount())
            return nullptr;
        return &m_view->read.games[m_view->read.games.size() - 1 - std::size_t(row)];
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() || !m_view ? 0 : int(m_view->read.games.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : 5; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char *const names[] = {"Date", "Result", "Steps", "Time", "Help"};
        return QString::fromLatin1(names[section]);
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const GameRecord *played = game(index.row());
        if (!played)
            return {};
        if (role == Qt::TextAlignmentRole)
            return index.column() == 2 || index.column() == 3 ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
            return {};
        switch (index.column()) {
        case 0: return QLocale().toString(played->ended.toLocalTime(), QStringLiteral("yyyy-MM-dd HH:mm"));
        case 1: return played->won ? QStringLiteral("won") : QStringLiteral("left");
        case 2: return QString::number(played->steps());
        case 3: return durationText(played->seconds);
        default: return helpText(*played);
        }
    }

private:
    std::shared_ptr<const HistoryView> m_view;
};

// The steps of each win in order: the best possible as a dashed line, the moving average as
// a thick line, a win without help as a filled dot and one with help as a hollow square, so
// that the two tell apart without colour. Drawn in the widget's own units, so that it is as
// sharp and as large at 1.5x and 2x as at 1x.
class StepsChart final : public QWidget
{
public:
    explicit StepsChart(QWidget *parent)
        : QWidget(parent)
    {
        setMinimumSize(400, 150);
        setFocusPolicy(Qt::TabFocus);
        setAccessibleName(QStringLiteral("Chart of your wins"));
    }

    void setPoints(std::vector<ChartPoint> points, const QString &summary)
    {
        m_points = std::move(points);
        setAccessibleDescription(summary);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QPalette pal = palette();
        p.fillRect(rect(), pal.color(QPalette::Base));
        const QColor ink = pal.color(QPalette::Text);
        const QFontMetrics fm(font());
        const int line = fm.height();
        if (hasFocus()) {
            p.setPen(QPen(pal.color(QPalette::Highlight), 2));
            p.drawRect(rect().adjusted(1, 1, -1, -1));
        }

        // The legend on top, the steps on the left.
        const QRectF area(fm.horizontalAdvance(QStringLiteral("000")) + 12, line * 2 + 4,
                          width() - fm.horizontalAdvance(QStringLiteral("000")) - 24, height() - line * 3 - 8);
        if (m_points.empty()) {
            p.setPen(ink);
            p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Your wins will show here."));
            return;
        }
        std::int64_t top = 46;
        for (const ChartPoint &point : m_points)
            top = std::max(top, point.steps);
        // A long game would flatten every other one: the scale stops at twice the best, and
        // a game above it is drawn at the top edge as a triangle.
        const double yMax = double(std::min<std::int64_t>(top, 92)) + 2;
        const double yMin = 44;
        const auto y = [&](double steps) {
            return area.bottom() - area.height() * (std::min(steps, yMax) - yMin) / (yMax - yMin);
        };

        p.setPen(QPen(ink, 1));
        p.drawLine(area.bottomLeft(), area.topLeft());
        p.drawLine(area.bottomLeft(), area.bottomRight());
        // 46, then every ten steps (every twenty on a tall scale) that the scale reaches.
        const int every = yMax - yMin > 40 ? 20 : 10;
        for (int steps = 46; steps <= int(yMax); steps = steps == 46 ? every * (46 / every + 1) : steps + every) {
            if (steps != 46 && y(steps) > y(46) - line)
                continue; // too close to 46 to read
            p.drawText(QRectF(0, y(steps) - line / 2.0, area.left() - 6, line), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(steps));
            p.drawLine(QPointF(area.left() - 3, y(steps)), QPointF(area.left(), y(steps)));
        }
        p.drawText(QRectF(area.left(), area.bottom() + 2, area.width(), line), Qt::AlignCenter,
                   QStringLiteral("your wins, oldest to newest"));

        // The best possible.
        p.setPen(QPen(ink, 1.5, Qt::DashLine));
        p.drawLine(QPointF(area.left(), y(46)), QPointF(area.right(), y(46)));

        // The games. More games than the width shows well are drawn a few pixels a group:
        // the spread of the wins without help as a bar, those with help as one square at
        // their mean, so that painting 10,000 wins costs no more than painting 300.
        const std::size_t groups = std::min(m_points.size(), std::size_t(std::max(1.0, area.width() / 4)));
        struct Group
        {
            double low = 1e18, high = -1e18, helped = 0, average = 0;
            int helpedCount = 0, count = 0, plain = 0;
            bool over = false;
        };
        std::vector<Group> grouped(groups);
        for (std::size_t i = 0; i < m_points.size(); ++i) {
            Group &g = grouped[i * groups / m_points.size()];
            const double steps = double(m_points[i].steps);
            g.over = g.over || steps > yMax - 2;
            g.average += m_points[i].movingAverage;
            ++g.count;
            if (m_points[i].helped) {
                g.helped += steps;
                ++g.helpedCount;
            } else {
                g.low = std::min(g.low, steps);
                g.high = std::max(g.high, steps);
                ++g.plain;
            }
        }
        const auto gx = [&](std::size_t g) {
            return groups == 1 ? area.center().x() : area.left() + area.width() * double(g) / double(groups - 1);
        };
        const double r = groups < m_points.size() ? 2.5 : 3.5;
        const QColor dot = pal.color(QPalette::Highlight).darker(130);
        for (std::size_t g = 0; g < groups; ++g) {
            const Group &group = grouped[g];
            const double at = gx(g);
            if (group.over) {
                QPainterPath arrow;
                arrow.moveTo(at, area.top());
                arrow.lineTo(at - r, area.top() + 2 * r);
                arrow.lineTo(at + r, area.top() + 2 * r);
                arrow.closeSubpath();
                p.fillPath(arrow, ink);
            }
            if (group.plain > 0) {
                p.setPen(Qt::NoPen);
                p.setBrush(dot);
                const double top = y(group.high);
                const double bottom = y(group.low);
                p.drawRoundedRect(QRectF(at - r, top - r, 2 * r, bottom - top + 2 * r), r, r);
            }
            if (group.helpedCount > 0) {
                const double mean = group.helped / group.helpedCount;
                p.setPen(QPen(ink, 1.2));
                p.setBrush(pal.color(QPalette::Base));
                p.drawRect(QRectF(at - r, y(mean) - r, 2 * r, 2 * r));
            }
        }

        // The moving average.
        QPainterPath average;
        for (std::size_t g = 0; g < groups; ++g) {
            const QPointF at(gx(g), y(grouped[g].average / grouped[g].count));
            if (g == 0)
                average.moveTo(at);
            else
                average.lineTo(at);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink, 2.5));
        p.drawPath(average);

        // The legend: each sign drawn as it is on the chart, then its words.
        qreal left = area.left();
        const qreal mid = line / 2.0 + 2;
        const auto words = [&](const QString &text) {
            p.setPen(ink);
            p.drawText(QPointF(left, mid + fm.ascent() / 2.0 - 1), text);
            left += fm.horizontalAdvance(text) + 14;
        };
        p.setPen(QPen(ink, 1.5, Qt::DashLine));
        p.drawLine(QPointF(left, mid), QPointF(left + 22, mid));
        left += 26;
        words(QStringLiteral("best (46)"));
        p.setPen(QPen(ink, 2.5));
        p.drawLine(QPointF(left, mid), QPointF(left + 22, mid));
        left += 26;
        words(QStringLiteral("average of %1").arg(MovingAverageSpan));
        p.setPen(Qt::NoPen);
        p.setBrush(dot);
        p.drawEllipse(QPointF(left + 4, mid), 3.5, 3.5);
        left += 12;
        words(QStringLiteral("no help"));
        p.setPen(QPen(ink, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(left + 0.5, mid - 3.5, 7, 7));
        left += 12;
        words(QStringLiteral("with help"));
    }

private:
    std::vector<ChartPoint> m_points;
};

YourGamesWindow::YourGamesWindow(GameController &game, Dialogs &dialogs, const QString &historyPath, QWidget *owner)
    : QDialog(owner)
    , m_game(game)
    , m_dialogs(dialogs)
    , m_path(historyPath)
    , m_loader(historyPath)
{
    setWindowTitle(QStringLiteral("Your games"));
    auto *layout = new QVBoxLayout(this);

    m_status = new QLabel(QStringLiteral("Reading your games..."), this);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    auto *figures = new QGridLayout;
    static const char *const captions[] = {
        "Games played", "Won", "Abandoned", "Best steps", "Best time", "Average steps, last 10 wins",
        "Median steps, last 10 wins", "Average steps, all wins", "Median steps, all wins", "Won at 46",
        "Won without help",
    };
    int row = 0;
    for (const char *caption : captions) {
        auto *name = new QLabel(QString::fromLatin1(caption) + QLatin1Char(':'), this);
        auto *value = new QLabel(QStringLiteral("..."), this);
        value->setObjectName(QString::fromLatin1(caption));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        name->setBuddy(value);
        // In two columns of figures, so the window stays low enough for small screens.
        const int column = row < 6 ? 0 : 2;
        figures->addWidget(name, row % 6, column);
        figures->addWidget(value, row % 6, column + 1);
        m_figures.push_back(value);
        ++row;
    }
    figures->setColumnStretch(1, 1);
    figures->setColumnStretch(3, 1);
    layout->addLayout(figures);

    m_trend = new QLabel(this);
    m_trend->setObjectName(QStringLiteral("trend"));
    m_trend->setWordWrap(true);
    m_trend->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_trend->font();
    bold.setBold(true);
    m_trend->setFont(bold);
    layout->addWidget(m_trend);

    m_chart = new StepsChart(this);
    layout->addWidget(m_chart, 2);

    auto *stepsCaption = new QLabel(QStringLiteral("&Where the steps go (Return shows the position):"), this);
    layout->addWidget(stepsCaption);
    m_steps = new QListWidget(this);
    m_steps->setAccessibleName(QStringLiteral("Where the steps go"));
    m_steps->setMaximumHeight(m_steps->fontMetrics().height() * 6);
    stepsCaption->setBuddy(m_steps);
    layout->addWidget(m_steps);

    auto *gamesCaption = new QLabel(QStringLiteral("Past &games, newest first:"), this);
    layout->addWidget(gamesCaption);
    m_model = new PastGamesModel(this);
    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->setAccessibleName(QStringLiteral("Past games"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    const QFontMetrics metrics = m_table->fontMetrics();
    m_table->verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
    const int widths[] = {metrics.horizontalAdvance(QStringLiteral("0000-00-00 00:00")), metrics.horizontalAdvance(QStringLiteral("Result")),
                          metrics.horizontalAdvance(QStringLiteral("Steps")), metrics.horizontalAdvance(QStringLiteral("00 min 00 s"))};
    for (int column = 0; column < 4; ++column)
        m_table->setColumnWidth(column, widths[column] + 24);
    gamesCaption->setBuddy(m_table);
    layout->addWidget(m_table, 3);

    auto *buttons = new QHBoxLayout;
    m_review = new QPushButton(QStringLiteral("&Review"), this);
    m_replay = new QPushButton(QStringLiteral("Re&play"), this);
    m_clear = new QPushButton(QStringLiteral("&Clear history..."), this);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    // Return belongs to the lists (it opens what they hold), never to a default button.
    for (QPushButton *button : {m_review, m_replay, m_clear, close}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    buttons->addWidget(m_review);
    buttons->addWidget(m_replay);
    buttons->addStretch();
    buttons->addWidget(m_clear);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    m_review->setEnabled(false);
    m_replay->setEnabled(false);

    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_review, &QPushButton::clicked, this, [this] { pickGame(false); });
    connect(m_replay, &QPushButton::clicked, this, [this] { pickGame(true); });
    connect(m_clear, &QPushButton::clicked, this, &YourGamesWindow::clearHistory);
    connect(m_steps, &QListWidget::itemActivated, this, &YourGamesWindow::pickSpot);
    connect(m_table, &QTableView::activated, this, [this] {
        if (const GameRecord *played = currentGame())
            pickGame(!played->won);
    });
    connect(&m_loader, &HistoryLoader::loaded, this, &YourGamesWindow::showLoaded);
    connect(&m_loader, &HistoryLoader::spotsReady, this, &YourGamesWindow::showSpots);

    // Never taller than the screen: at 2x on a small screen the buttons would fall off it.
    QSize size = sizeHint().expandedTo(QSize(560, 640));
    if (const QScreen *shown = owner ? owner->screen() : screen())
        size = size.boundedTo(shown->availableGeometry().size() * 0.9);
    resize(size);
    // The chart first: it draws its focus, and a screen reader hears the trend with it.
    m_chart->setFocus();
    m_loader.start(m_game.solver().table());
}

void YourGamesWindow::setVisible(bool visible)
{
    QDialog::setVisible(visible);
    if (visible)
        markModalForShell(this);
}

QStringList YourGamesWindow::figureTexts() const
{
    QStringList texts;
    for (const QLabel *value : m_figures)
        texts << value->objectName() + QStringLiteral(": ") + value->text();
    return texts;
}

void YourGamesWindow::showLoaded()
{
    const std::shared_ptr<const HistoryView> view = m_loader.sharedView();
    const HistoryFigures &f = view->figures;
    const QString values[] = {
        QString::number(f.played), QString::number(f.won), QString::number(f.abandoned), whole(f.bestSteps),
        f.bestSeconds ? durationText(*f.bestSeconds) : QStringLiteral("none yet"), decimal(f.averageLast10),
        decimal(f.medianLast10), decimal(f.averageAll), decimal(f.medianAll), QString::number(f.wonAtBest),
        QString::number(f.wonWithoutHelp),
    };
    for (std::size_t i = 0; i < m_figures.size(); ++i) {
        m_figures[i]->setText(values[i]);
        m_figures[i]->setAccessibleName(m_figures[i]->objectName() + QStringLiteral(": ") + values[i]);
    }
    m_trend->setText(view->trend);
    m_trend->setAccessibleName(view->trend);
    m_chart->setPoints(view->chart, view->trend);
    m_status->setText(view->read.note);
    m_status->setVisible(!view->read.note.isEmpty());
    if (!view->read.note.isEmpty())
        m_status->setAccessibleName(view->read.note);

    m_model->setView(view);
    m_steps->clear();
    m_steps->addItem(view->figures.won ? QStringLiteral("Working out where the steps go...") : QStringLiteral("No wins yet."));
    m_steps->item(0)->setFlags(Qt::ItemIsEnabled);
    if (m_model->rowCount() > 0)
        m_table->selectRow(0);
    currentGameChanged();
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &YourGamesWindow::currentGameChanged, Qt::UniqueConnection);
    m_clear->setEnabled(m_model->rowCount() > 0);

    QAccessibleEvent event(m_trend, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void YourGamesWindow::showSpots()
{
    m_steps->clear();
    for (const LossSpot &spot : m_loader.spots())
        m_steps->addItem(spot.text());
    if (m_loader.spots().empty()) {
        m_steps->addItem(m_loader.view().figures.won ? QStringLiteral("No steps lost yet: every win kept to a shortest path.")
                                                     : QStringLiteral("No wins yet."));
        m_steps->item(0)->setFlags(Qt::ItemIsEnabled);
    } else {
        m_steps->setCurrentRow(0);
    }
}

void YourGamesWindow::pickSpot()
{
    const int row = m_steps->currentRow();
    if (row < 0 || std::size_t(row) >= m_loader.spots().size())
        return;
    const LossSpot &spot = m_loader.spots()[std::size_t(row)];
    m_game.pickPosition(spot.path, spot.best,
                        QStringLiteral("Move %1: best is %2 to %3. Steps lost here in %4 of %5 games, most often with %6 to %7.")
                            .arg(spot.move)
                            .arg(spot.best.from)
                            .arg(spot.best.to)
                            .arg(spot.lostIn)
                            .arg(spot.reachedIn)
                            .arg(spot.usual.from)
                            .arg(spot.usual.to));
    accept();
}

const GameRecord *YourGamesWindow::currentGame() const
{
    return m_model->game(m_table->currentIndex().row());
}

void YourGamesWindow::currentGameChanged()
{
    const GameRecord *played = currentGame();
    m_review->setEnabled(played && played->won);
    m_replay->setEnabled(played != nullptr);
}

void YourGamesWindow::pickGame(bool replay)
{
    const GameRecord *played = currentGame();
    if (!played || (!replay && !played->won))
        return;
    m_game.pickPastGame(played->moves, replay);
    accept();
}

void YourGamesWindow::clearHistory()
{
    const int games = m_model->rowCount();
    if (m_dialogs.showMessage(QStringLiteral("Clear your history of %1 %2? The Black List stays as it is.")
                             .arg(games)
                             .arg(games == 1 ? QStringLiteral("game") : QStringLiteral("games")),
                         DialogButtons::YesNo, QStringLiteral("Your games"))
        != Answer::Yes)
        return;
    try {
        HistoryFile(m_path).clear();
    } catch (const StoreError &failure) {
        m_dialogs.showMessage(QString::fromUtf8(failure.what()), DialogButtons::Ok, QStringLiteral("Your games"));
    }
    m_status->setText(QStringLiteral("Reading your games..."));
    m_status->show();
    m_loader.start(m_game.solver().table());
}
