#pragma once

namespace zbtest {
// Sets up the process for headless tests: offscreen platform, private runtime folder.
void prepareEnvironment();
} // namespace zbtest
