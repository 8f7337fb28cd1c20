#pragma once

// Win32 virtual-key codes of the keys the game reads.
namespace vk {
constexpr int SPACE = 0x20;
constexpr int LEFT = 0x25;
constexpr int UP = 0x26;
constexpr int RIGHT = 0x27;
constexpr int DOWN = 0x28;
constexpr int F1 = 0x70;
constexpr int F2 = 0x71;
constexpr int F3 = 0x72;
constexpr int F4 = 0x73;
constexpr int LEFT_CONTROL = 0xA2;
constexpr int RIGHT_CONTROL = 0xA3;
constexpr int ESCAPE = 0x1B;
constexpr int M = 0x4D;  // letters are their capital's ASCII code
}  // namespace vk
