#pragma once
// What the features that load their libraries on first use leave in memory:
// the ruler is started beside a local update server and its help file, and
// the update check (dialog, search, close), the About window (open, close)
// and the help (F1's command, viewer closed) are used in turn, round after
// round; the private memory is read after each, once its window has gone.
#include <string>
#include <vector>

struct FeatureMemory {
    std::string Feature;
    std::vector<double> AfterRound; // private MB after each round's use
};

struct FeatureRoundsResult {
    double AfterStart = -1;
    std::vector<FeatureMemory> Features;
    std::string Failure; // what did not happen as it should, "" when all did
};

// programDir: the folder of the Dravik.exe to start (with a trailing "\").
FeatureRoundsResult MeasureFeatureRounds(const std::wstring& programDir, int rounds);
