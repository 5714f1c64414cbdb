#include "history/gamerecord.h"

#include <array>
#include <limits>

namespace {

constexpr char Version[] = "v1";
constexpr int FieldCount = 9; // before the checksum

char cellLetter(int cell)
{
    return char('a' + cell - FirstCell);
}

QByteArray checksum(QByteArrayView text)
{
    return QByteArray::number(qChecksum(text), 16).rightJustified(4, '0');
}

// Digits only, no sign, no space; nothing above most.
std::optional<std::int64_t> count(QByteArrayView field, std::int64_t most)
{
    if (field.isEmpty() || field.size() > 18)
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > most)
        return std::nullopt;
    return value;
}

// "2026-12-11T08:34:16Z" and nothing else: QDateTime's own reader takes other forms too,
// and is slow enough to matter over 10,000 games.
QDateTime utcTime(QByteArrayView text)
{
    static constexpr char Shape[] = "dddd-dd-ddTdd:dd:ddZ";
    if (text.size() != qsizetype(sizeof Shape - 1))
        return {};
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (Shape[i] == 'd' ? !digit : text[i] != Shape[i])
            return {};
    }
    const auto number = [&text](qsizetype at, qsizetype length) { return int(*count(text.sliced(at, length), 9999)); };
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    const QTime time(number(11, 2), number(14, 2), number(17, 2));
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, Qt::UTC);
}

// Each letter's move into the empty cell, checked by the rule of the game; board ends as
// the game ended.
std::optional<std::vector<BoardMove>> movesOf(QByteArrayView letters, Board &board)
{
    std::vector<BoardMove> moves;
    moves.reserve(std::size_t(letters.size()));
    board = Board::startPosition();
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
    std::array<QByteArrayView, FieldCount> fields;
    QByteArrayView rest = line.first(lastSpace);
    for (int i = 0; i < FieldCount; ++i) {
        const qsizetype space = rest.indexOf(' ');
        if ((space < 0) != (i == FieldCount - 1))
            return std::nullopt;
        fields[std::size_t(i)] = space < 0 ? rest : rest.first(space);
        rest = space < 0 ? QByteArrayView() : rest.sliced(space + 1);
    }
    if (fields[0] != Version)
        return std::nullopt;

    GameRecord game;
    game.ended = utcTime(fields[1]);
    if (!game.ended.isValid() || (fields[2] != "won" && fields[2] != "left"))
        return std::nullopt;
    game.won = fields[2] == "won";
    constexpr std::int64_t MostHelps = 1 << 30;
    constexpr std::int64_t Most = std::numeric_limits<std::int64_t>::max();
    const auto steps = count(fields[3], Most);
    const auto seconds = count(fields[4], Most);
    const auto hints = count(fields[5], MostHelps);
    const auto watches = count(fields[6], MostHelps);
    const auto undos = count(fields[7], MostHelps);
    Board end;
    auto moves = movesOf(fields[8], end);
    if (!steps || !seconds || !hints || !watches || !undos || !moves || moves->empty()
        || std::int64_t(moves->size()) != *steps || isGoal(end) != game.won)
        return std::nullopt;
    game.seconds = *seconds;
    game.hints = int(*hints);
    game.watches = int(*watches);
    game.undos = int(*undos);
    game.moves = std::move(*moves);
    return game;
}

Board GameRecords::positionAfter(const std::vector<BoardMove> &moves, std::size_t count)
{
    Board board = Board::startPosition();
    for (std::size_t i = 0; i < count && i < moves.size(); ++i)
        executeMove(board, moves[i].from, moves[i].to);
    return board;
}
