#include "TestFailure.h"

#include <cstdio>
#include <cstdlib>

namespace {

void printAndAbort(const std::string& what) {
    std::fprintf(stderr, "test double: %s\n", what.c_str());
    std::abort();
}

TestFailureHandler handler_ = printAndAbort;

}  // namespace

void setTestFailureHandler(TestFailureHandler handler) { handler_ = handler ? handler : printAndAbort; }

void testFailure(const std::string& what) { handler_(what); }
