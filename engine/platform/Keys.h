#pragma once

// Windows virtual-key codes: the game polls keys and buttons by these numbers on every
// platform, so the rules that name them stay the same.
namespace vk {
constexpr int LButton = 0x01;
constexpr int RButton = 0x02;
constexpr int Return = 0x0D;
constexpr int Shift = 0x10;
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
// Letters and digits are their upper-case ASCII codes: 'A' .. 'Z', '0' .. '9'.
}  // namespace vk
