#pragma once

#include <string>

// Where the test doubles report a broken expectation. Outside a GoogleTest program (fuzz
// targets, driver programs) the default prints it and aborts; GoogleTest suites link
// GTestFailures.cpp, which turns it into a test failure.
using TestFailureHandler = void (*)(const std::string& what);

void setTestFailureHandler(TestFailureHandler handler);
void testFailure(const std::string& what);
