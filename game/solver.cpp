#include "game/solver.h"

#include <QMetaObject>

#include <array>

namespace {

constexpr int OtherCells = LastCell - 1;
constexpr int Balls = 8;
constexpr int BlockSize = PositionCount / LastCell;

constexpr std::array<std::array<int, Balls + 1>, OtherCells + 1> binomials()
{
    std::array<std::array<int, Balls + 1>, OtherCells + 1> c{};
    for (int n = 0; n <= OtherCells; ++n) {
        c[n][0] = 1;
        for (int k = 1; k <= Balls && k <= n; ++k)
            c[n][k] = c[n - 1][k - 1] + (k <= n - 1 ? c[n - 1][k] : 0);
    }
    return c;
}

constexpr auto Binomial = binomials();
static_assert(Binomial[OtherCells][Balls] == BlockSize);

} // namespace

int positionIndex(const Board &board)
{
    int empty = 0;
    int balls = 0;
    int rank = 0;
    int j = 0; // place among the sixteen cells that are not empty
    for (int k = FirstCell; k <= LastCell; ++k) {
        switch (board[k]) {
        case Piece::Empty:
            if (empty != 0)
                return -1;
            empty = k;
            continue;
        case Piece::Ball:
            ++balls;
            if (balls > Balls)
                return -1;
            rank += Binomial[static_cast<std::size_t>(j)][static_cast<std::size_t>(balls)];
            break;
        case Piece::Tile:
            break;
        }
        ++j;
    }
    if (empty == 0 || balls != Balls)
        return -1;
    return (empty - FirstCell) * BlockSize + rank;
}

Board positionAt(int index)
{
    const int empty = index / BlockSize + FirstCell;
    int rank = index % BlockSize;
    std::array<bool, OtherCells> ball{};
    int j = OtherCells - 1;
    for (int c = Balls; c >= 1; --c) {
        while (Binomial[static_cast<std::size_t>(j)][static_cast<std::size_t>(c)] > rank)
            --j;
        ball[static_cast<std::size_t>(j)] = true;
        rank -= Binomial[static_cast<std::size_t>(j)][static_cast<std::size_t>(c)];
        --j;
    }
    Board board;
    int place = 0;
    for (int k = FirstCell; k <= LastCell; ++k) {
        if (k == empty) {
            board.set(k, Piece::Empty);
            continue;
        }
        board.set(k, ball[static_cast<std::size_t>(place++)] ? Piece::Ball : Piece::Tile);
    }
    return board;
}

DistanceTable DistanceTable::build()
{
    DistanceTable table;
    table.m_distance.assign(PositionCount, NotReached);

    // The queue is the table's own order of discovery: positions at distance d sit
    // together, so one index array and a read cursor are all the search needs.
    std::vector<int> queue;
    queue.reserve(PositionCount);
    const int start = positionIndex(Board::goalPosition());
    table.m_distance[static_cast<std::size_t>(start)] = 0;
    queue.push_back(start);
    for (std::size_t read = 0; read < queue.size(); ++read) {
        const int at = queue[read];
        const std::uint8_t next = table.m_distance[static_cast<std::size_t>(at)] + 1;
        const Board board = positionAt(at);
        for (const BoardMove &move : legalMoves(board)) {
            Board moved = board;
            executeMove(moved, move.from, move.to);
            const auto index = static_cast<std::size_t>(positionIndex(moved));
            if (table.m_distance[index] == NotReached) {
                table.m_distance[index] = next;
                queue.push_back(static_cast<int>(index));
            }
        }
    }
    return table;
}

int DistanceTable::distance(const Board &board) const
{
    const int index = positionIndex(board);
    if (index < 0)
        return -1;
    const std::uint8_t d = m_distance[static_cast<std::size_t>(index)];
    return d == NotReached ? -1 : d;
}

std::optional<BoardMove> DistanceTable::nextMove(const Board &board) const
{
    const int here = distance(board);
    if (here <= 0)
        return std::nullopt;
    for (const BoardMove &move : legalMoves(board)) {
        Board moved = board;
        executeMove(moved, move.from, move.to);
        if (distance(moved) == here - 1)
            return move;
    }
    return std::nullopt;
}

Solver::~Solver()
{
    if (m_worker.joinable())
        m_worker.join();
}

void Solver::request()
{
    if (m_worker.joinable() || table())
        return;
    m_worker = std::thread([this] {
        m_table = std::make_unique<DistanceTable>(DistanceTable::build());
        m_published.store(m_table.get(), std::memory_order_release);
        // Queued to this object's thread; dropped if the object is gone by then.
        QMetaObject::invokeMethod(this, [this] { emit ready(); }, Qt::QueuedConnection);
    });
}
