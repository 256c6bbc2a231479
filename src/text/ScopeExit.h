#pragma once
// Runs a clean-up step when the scope it guards ends, however it ends: normally or by an exception.

#include <utility>

template <typename F> class ScopeExit {
  public:
    explicit ScopeExit(F step) : step_(std::move(step)) {}
    ~ScopeExit() { step_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

  private:
    F step_;
};
