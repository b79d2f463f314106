#pragma once

#include <cstddef>
#include <string>

// The value in the general format with that many significant digits (C locale); a text that
// ends in "." gets a "0".
std::string FormatDouble(double value, int digits);
// Buffer form: writes at most size bytes including the NUL; returns buffer.
char* FormatDouble(double value, int digits, char* buffer, std::size_t size);

// low when value is below it, else the smaller of high and value.
double ClampDouble(double low, double high, double value);

// Copies the first n characters of text (stopping at its end) without blanks into buffer,
// which must hold n + 1 bytes; returns buffer.
char* CopyWithoutBlanks(const char* text, std::size_t n, char* buffer);

// The text after the last "." of the path's file name, or the empty text when it has none.
std::string GetFileExtension(const std::string& path);

namespace model {
// Installation paths are written with "\"; files here use "/". The one place the separators are mapped.
std::string NativePath(const std::string& path);
} // namespace model
