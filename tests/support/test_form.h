// A form a test builds for itself: a slot that every test's teardown empties, as the end of the
// test's process would.
#pragma once

#include <functional>
#include <vector>

#include "forms/form.h"

inline std::vector<std::function<void()>>& TestFormDiscards() {
    static std::vector<std::function<void()>> discards;
    return discards;
}

// Every test form goes, with its window; no event of it runs.
inline void DiscardTestForms() {
    for (auto& discard : TestFormDiscards()) discard();
}

template <class T>
class TestForm : public forms::FormSlot<T> {
public:
    TestForm() { TestFormDiscards().push_back([this] { this->Discard(); }); }
};
