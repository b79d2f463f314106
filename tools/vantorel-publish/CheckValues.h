#pragma once

#include <filesystem>

namespace publish {
class CPublisher;
}

// Plays a written movie in the test player (tests/player, with its packages installed) and
// prints, per formula cell of the model, the value the movie calculated beside the value the
// workbook cached, then a summary line. Returns 0 when every formula cell matches, 1 when one
// differs or the player cannot run.
int CheckMovieValues(publish::CPublisher& publisher, const std::filesystem::path& movie);
