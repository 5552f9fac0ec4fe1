#pragma once

namespace tivoral {

// Window layouts are given in twips; 15 twips make one logical pixel at 96 dpi.
constexpr int twips(int t) {
    return (t + 7) / 15;
}

} // namespace tivoral
