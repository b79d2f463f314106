#pragma once

#include <stdexcept>
#include <string>

// Failure to read or write one of the model's files or records. The text says what was being
// read and where, so the message can go to the user or the trace as it stands.
class ModelError : public std::runtime_error {
public:
    explicit ModelError(const std::string& what) : std::runtime_error(what) {}
};
