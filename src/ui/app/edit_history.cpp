#include "ui/app/edit_history.h"

namespace mmx {

namespace {
// Enough for an afternoon's work; each step is a small value of a few kilobytes.
constexpr size_t kMostSteps = 200;
}  // namespace

void EditHistory::recordEdit(const Setup& before) {
    undo_.push_back(before);
    if (undo_.size() > kMostSteps) undo_.erase(undo_.begin());
    redo_.clear();
}

std::optional<Setup> EditHistory::undo(const Setup& current) {
    if (undo_.empty()) return std::nullopt;
    Setup previous = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back(current);
    return previous;
}

std::optional<Setup> EditHistory::redo(const Setup& current) {
    if (redo_.empty()) return std::nullopt;
    Setup next = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back(current);
    return next;
}

void EditHistory::clear() {
    undo_.clear();
    redo_.clear();
}

}  // namespace mmx
