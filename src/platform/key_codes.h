#pragma once

// Win32 virtual-key codes of the keys the game reads.
namespace vk {
constexpr int Space = 0x20;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int F1 = 0x70;
constexpr int F2 = 0x71;
constexpr int F3 = 0x72;
constexpr int F4 = 0x73;
constexpr int LeftControl = 0xA2;
constexpr int RightControl = 0xA3;
constexpr int Escape = 0x1B;
}  // namespace vk
