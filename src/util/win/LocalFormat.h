#pragma once
// Fixes the process-wide number and date formats at start-up from the user's
// locale (its separators), before any window exists.
void SetLocalFormatFromSystem();
