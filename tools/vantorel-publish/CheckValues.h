#pragma once

#include <filesystem>

namespace publish {
class CPublisher;
}

// The exit code of a check whose values differ from the workbook's.
inline constexpr int kValuesDiffer = 8;

// Plays a written movie in the test player (tests/player, with its packages installed) once
// its first calculation is done and prints, per formula cell of the model (only those that
// differ with differencesOnly), the value the movie calculated beside the value the workbook
// cached, then a summary line. Returns 0 when every formula cell matches, kValuesDiffer when
// one differs, 1 when the player cannot run or reports nothing.
int CheckMovieValues(publish::CPublisher& publisher, const std::filesystem::path& movie, bool differencesOnly);
