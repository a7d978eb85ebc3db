#pragma once

// Name of the single-instance mutex and of the hand-over window's class.
inline constexpr wchar_t kSingleInstanceName[] = L"{0A3E7733-8B36-47AC-A87E-A23A7DD0404C}";
// Posted by a second start to the first instance's hand-over window.
inline constexpr unsigned kHandOverMessage = 11123;
