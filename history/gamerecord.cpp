#include "history/gamerecord.h"

#include <QList>

#include <algorithm>
#include <limits>

namespace {

constexpr char Version[] = "v1";
constexpr int FieldCount = 10;

char cellLetter(int cell)
{
    return char('a' + cell - FirstCell);
}

QByteArray checksum(QByteArrayView text)
{
    return QByteArray::number(qChecksum(text), 16).rightJustified(4, '0');
}

std::optional<std::int64_t> count(const QByteArray &field, std::int64_t most)
{
    bool ok = false;
    const qlonglong value = field.toLongLong(&ok);
    // Digits only: toLongLong takes a sign and spaces, which no line of ours holds.
    if (!ok || value < 0 || value > most || field.isEmpty() || !std::all_of(field.begin(), field.end(), [](char c) {
            return c >= '0' && c <= '9';
        }))
        return std::nullopt;
    return value;
}

// Each letter's move into the empty cell, checked by the rule of the game.
std::optional<std::vector<BoardMove>> movesOf(const QByteArray &letters)
{
    std::vector<BoardMove> moves;
    moves.reserve(std::size_t(letters.size()));
    Board board = Board::startPosition();
    int empty = SharedCell;
    for (const char letter : letters) {
        const int from = letter - 'a' + FirstCell;
        if (from < FirstCell || from > LastCell || findMove(board, from, empty) == MoveKind::None)
            return std::nullopt;
        executeMove(board, from, empty);
        moves.push_back({from, empty});
        empty = from;
    }
    return moves;
}

} // namespace

QByteArray GameRecords::encode(const GameRecord &game)
{
    QByteArray moves;
    moves.reserve(qsizetype(game.moves.size()));
    for (const BoardMove &move : game.moves)
        moves += cellLetter(move.from);
    const QByteArray body = QByteArray(Version) + ' ' + game.ended.toUTC().toString(Qt::ISODate).toLatin1() + ' '
                            + (game.won ? "won" : "left") + ' ' + QByteArray::number(game.steps()) + ' '
                            + QByteArray::number(game.seconds) + ' ' + QByteArray::number(game.hints) + ' '
                            + QByteArray::number(game.watches) + ' ' + QByteArray::number(game.undos) + ' ' + moves;
    return body + ' ' + checksum(body) + '\n';
}

std::optional<GameRecord> GameRecords::decode(QByteArrayView line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    const qsizetype lastSpace = line.lastIndexOf(' ');
    if (lastSpace < 0 || checksum(line.first(lastSpace)) != line.sliced(lastSpace + 1))
        return std::nullopt;
    const QList<QByteArray> fields = line.first(lastSpace).toByteArray().split(' ');
    if (fields.size() != FieldCount - 1 || fields[0] != Version)
        return std::nullopt;

    GameRecord game;
    game.ended = QDateTime::fromString(QString::fromLatin1(fields[1]), Qt::ISODate);
    if (!game.ended.isValid() || game.ended.timeSpec() != Qt::UTC)
        return std::nullopt;
    if (fields[2] != "won" && fields[2] != "left")
        return std::nullopt;
    game.won = fields[2] == "won";
    constexpr std::int64_t MostHelps = 1 << 30;
    const auto steps = count(fields[3], std::numeric_limits<std::int64_t>::max());
    const auto seconds = count(fields[4], std::numeric_limits<std::int64_t>::max());
    const auto hints = count(fields[5], MostHelps);
    const auto watches = count(fields[6], MostHelps);
    const auto undos = count(fields[7], MostHelps);
    auto moves = movesOf(fields[8]);
    if (!steps || !seconds || !hints || !watches || !undos || !moves || moves->empty()
        || std::int64_t(moves->size()) != *steps)
        return std::nullopt;
    game.seconds = *seconds;
    game.hints = int(*hints);
    game.watches = int(*watches);
    game.undos = int(*undos);
    game.moves = std::move(*moves);
    if (isGoal(positionAfter(game.moves, game.moves.size())) != game.won)
        return std::nullopt;
    return game;
}

Board GameRecords::positionAfter(const std::vector<BoardMove> &moves, std::size_t count)
{
    Board board = Board::startPosition();
    for (std::size_t i = 0; i < count && i < moves.size(); ++i)
        executeMove(board, moves[i].from, moves[i].to);
    return board;
}
