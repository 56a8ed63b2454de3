// Linked into every GoogleTest program that uses the test doubles (an object library, so that
// this registration is never dropped by the linker).
#include <gtest/gtest.h>

#include "TestFailure.h"

namespace {

const bool installed = [] {
    setTestFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
    return true;
}();

}  // namespace
