#pragma once

#include "game/gameengine.h"

#include <QList>
#include <QQueue>

#include <array>

namespace tivoral::testing {

// The shortest way of arrow moves from one cell to another that does not pass over `avoid`
// (unless `avoid` is where the way ends).
inline QList<GameEngine::Move> route(Cell from, Cell to, Cell avoid) {
    constexpr int Cells = GameEngine::Columns * GameEngine::Rows;
    constexpr int Unseen = -1;
    const auto index = [](Cell cell) { return cell.row * GameEngine::Columns + cell.column; };
    const std::array<std::pair<GameEngine::Move, Cell>, 4> steps = {{
        {GameEngine::Move::Up, {0, -1}},
        {GameEngine::Move::Down, {0, 1}},
        {GameEngine::Move::Left, {-1, 0}},
        {GameEngine::Move::Right, {1, 0}},
    }};

    std::array<int, Cells> cameFrom;
    std::array<GameEngine::Move, Cells> moveInto{};
    cameFrom.fill(Unseen);
    cameFrom[index(from)] = index(from);
    QQueue<Cell> queue;
    queue.enqueue(from);
    while (!queue.isEmpty() && cameFrom[index(to)] == Unseen) {
        const Cell cell = queue.dequeue();
        for (const auto& [move, delta] : steps) {
            const Cell next{cell.column + delta.column, cell.row + delta.row};
            if (next.column < 0 || next.column >= GameEngine::Columns || next.row < 0 ||
                next.row >= GameEngine::Rows || cameFrom[index(next)] != Unseen ||
                (next == avoid && next != to))
                continue;
            cameFrom[index(next)] = index(cell);
            moveInto[index(next)] = move;
            queue.enqueue(next);
        }
    }
    QList<GameEngine::Move> moves;
    for (int at = index(to); at != index(from); at = cameFrom[at])
        moves.prepend(moveInto[at]);
    return moves;
}

} // namespace tivoral::testing
