#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <optional>

namespace tivoral {

// One value beside the text that stands for it in a file or on screen.
template <typename Value> struct ValueText {
    Value value;
    QStringView text;
};

template <typename Value, std::size_t N> using ValueTexts = std::array<ValueText<Value>, N>;

// The text of a value; the first entry's for a value the table lacks.
template <typename Value, std::size_t N>
QString textOf(const ValueTexts<Value, N>& table, Value value) {
    for (const ValueText<Value>& entry : table) {
        if (entry.value == value)
            return entry.text.toString();
    }
    return table.front().text.toString();
}

// The value a text stands for, compared exactly; none for a text the table lacks.
template <typename Value, std::size_t N>
std::optional<Value> valueOf(const ValueTexts<Value, N>& table, QStringView text) {
    for (const ValueText<Value>& entry : table) {
        if (entry.text == text)
            return entry.value;
    }
    return std::nullopt;
}

} // namespace tivoral
