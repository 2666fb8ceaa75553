// Small text and number helpers shared by the core and the binding.
#pragma once

#include <cstddef>

// Copies src into dst, which holds dstSize bytes; always terminates (when dstSize > 0) and never
// writes past dstSize. A null src copies as the empty string.
void CopyText(char* dst, const char* src, size_t dstSize);

// Truncates toward zero like a cast to int, but saturates at the int range and maps a
// not-a-number to 0 instead of invoking undefined behaviour.
int TruncToInt(double value);
