// tests/support/ErrorOf.h — the text of the exception a piece of code throws,
// for tests that check error messages word for word.

#pragma once

#include <exception>
#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace skyrend::test {

// The message of the exception of type E that `f` throws (fails the test
// when it throws none).
template <typename E = std::exception>
std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    ADD_FAILURE() << "no exception";
    return {};
}

}  // namespace skyrend::test
