// The end-to-end scenarios; each starts the program itself, seeds and
// cleans the registry keys it uses, and records its checks with what this
// header brings.
#pragma once

#include "tests/e2e/app.h"
#include "tests/e2e/check.h"
#include "tests/e2e/stand_in.h"

namespace e2e {

void MainWindowScenario(const Options& options);
void StartupScenario(const Options& options);
void PerGameScenario(const Options& options);
void BadNamesScenario(const Options& options);
void AboutScenario(const Options& options);
void ApplyErrorsScenario(const Options& options);
void ReopenScenario(const Options& options);
void EnduranceScenario(const Options& options);

}  // namespace e2e
