// The program over the in-memory platform, no window loaded yet: where the
// About and follow windows' unit tests start, each window reached as the
// program reaches it.
#pragma once

#include "app/program.h"
#include "tests/support/fake_platform.h"

namespace kestrow {

struct InMemoryProgram {
    fake::FakePlatform platform;
    Program program{platform.services()};

    // The loaded window, or nullptr.
    fake::FakeWindow* aboutWindow() const { return platform.window("关于"); }
    fake::FakeWindow* followWindow() const { return platform.window("关注我们"); }
};

}  // namespace kestrow
