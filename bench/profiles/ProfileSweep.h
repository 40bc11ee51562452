#pragma once
// Converts inputs to catalogue profiles the way the main window adds a file
// and runs its list: per file the output fields are reset, the profile's
// defaults and a free output name are written, the texts the preset lists
// show by default are applied, and the fields become the task's output
// options; then the conversion component runs every task on worker threads.
// Shared by the profile sweep test and the profile bench.

#include <string>
#include <vector>

#include "profiles/OutputFields.h"
#include "profiles/ProfileDefaults.h"

namespace profilesweep {

// One item of the category and profile lists.
struct TSweepProfile {
    int Key = 0;
    int CategoryPosition = 0;
    int ProfilePosition = 0;
    const char* Name = "";
};

// Every item the two lists offer, category by category in list order.
std::vector<TSweepProfile> CatalogueProfiles();

// Whether a profile writes no video: it wants an audio-only input.
bool IsAudioOnlyProfile(int AKey);

// The output fields of a file added with a profile and the presets its
// lists select by default. Raises what the catalogue raises for a key it
// cannot serve.
profiles::TOutputFields FieldsForProfile(const std::string& AInput, int AKey, const profiles::TOutputNaming& ANaming);

struct TSweepJob {
    TSweepProfile Profile;
    std::string Input;
};

struct TSweepResult {
    TSweepProfile Profile;
    std::string Input;
    std::string OutputFile; // empty when no name could be made
    bool Ok = false;
    std::string Error;      // why the profile failed: naming, the task's output, or the run
    double Seconds = 0;     // from the task's start to its end; 0 for a task never run
};

// Adds one task per job, naming the outputs in AOutputFolder (numbered
// rather than overwriting anything), runs them on AThreads worker threads
// and answers one result per job, in job order. Call it on the GUI thread.
// Raises platform::Exception when the media libraries cannot be loaded.
std::vector<TSweepResult> RunSweep(const std::vector<TSweepJob>& AJobs, const std::string& AOutputFolder,
                                   int AThreads);

} // namespace profilesweep
