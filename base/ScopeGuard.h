#pragma once

#include <utility>

// Runs a function when the scope ends, however it ends: the way to put state back (a nesting
// depth, a mark, a half-written file) without catching and rethrowing.
template <class Undo> class ScopeGuard {
public:
    explicit ScopeGuard(Undo undo) : undo_(std::move(undo)) {}
    ~ScopeGuard()
    {
        if (armed_)
            undo_();
    }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;

    // The work succeeded and nothing is to be undone.
    void Dismiss() { armed_ = false; }

private:
    Undo undo_;
    bool armed_ = true;
};
