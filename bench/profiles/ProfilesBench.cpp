// Converts one input file to every catalogue profile, or to the chosen
// ones, the way the main window adds and runs files, and prints one line
// per profile: key, name, output file, seconds, and "ok" or the error text
// (tab-separated), then the run's wall time.
//
//   bench_profiles [-j threads] [-o output folder] <input file> [key ...]
//
// One thread by default, so that each profile's seconds are its own; with
// more threads they include the time shared with the tasks beside it. The
// output folder defaults to a new folder under /tmp.

#include "bench/profiles/ProfileSweep.h"

#include "platform/core/MainThread.h"
#include "platform/core/SysUtils.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

using namespace profilesweep;

namespace {

struct TArguments {
    int Threads = 1;
    std::string OutputFolder;
    std::string Input;
    std::vector<int> Keys;
};

int Usage()
{
    std::fprintf(stderr, "usage: bench_profiles [-j threads] [-o output folder] <input file> [key ...]\n");
    return 2;
}

bool ReadArguments(int argc, char** argv, TArguments& AArguments)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if ((argument == "-j" || argument == "-o") && i + 1 < argc) {
            const std::string value = argv[++i];
            if (argument == "-o")
                AArguments.OutputFolder = value;
            else if ((AArguments.Threads = platform::StrToIntDef(value, 0)) < 1)
                return false;
        } else if (AArguments.Input.empty()) {
            AArguments.Input = argument;
        } else {
            int64_t key;
            if (!platform::TryStrToInt64(argument, key))
                return false;
            AArguments.Keys.push_back(int(key));
        }
    }
    return !AArguments.Input.empty();
}

// The chosen profiles in the order given, or every profile; false for a key
// the catalogue lists do not offer.
bool ChooseProfiles(const std::vector<int>& AKeys, std::vector<TSweepProfile>& AProfiles)
{
    const std::vector<TSweepProfile> all = CatalogueProfiles();
    if (AKeys.empty()) {
        AProfiles = all;
        return true;
    }
    for (int key : AKeys) {
        const auto found = std::find_if(all.begin(), all.end(), [key](const TSweepProfile& P) { return P.Key == key; });
        if (found == all.end()) {
            std::fprintf(stderr, "Profile %d is not in the catalogue.\n", key);
            return false;
        }
        AProfiles.push_back(*found);
    }
    return true;
}

std::string NewOutputFolder()
{
    char folder[] = "/tmp/profile-bench-XXXXXX";
    return mkdtemp(folder) ? folder : "";
}

} // namespace

int main(int argc, char** argv)
{
    platform::SetMainThread();
    TArguments arguments;
    if (!ReadArguments(argc, argv, arguments))
        return Usage();
    if (!platform::FileExists(arguments.Input)) {
        std::fprintf(stderr, "No such input file: %s\n", arguments.Input.c_str());
        return 1;
    }
    std::vector<TSweepProfile> profiles;
    if (!ChooseProfiles(arguments.Keys, profiles))
        return 2;
    if (arguments.OutputFolder.empty() && (arguments.OutputFolder = NewOutputFolder()).empty()) {
        std::fprintf(stderr, "Cannot make an output folder under /tmp\n");
        return 1;
    }
    std::vector<TSweepJob> jobs;
    for (const TSweepProfile& profile : profiles)
        jobs.push_back(TSweepJob{profile, arguments.Input});
    try {
        const auto start = std::chrono::steady_clock::now();
        const std::vector<TSweepResult> results = RunSweep(jobs, arguments.OutputFolder, arguments.Threads);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        int ok = 0;
        for (const TSweepResult& R : results) {
            ok += R.Ok ? 1 : 0;
            std::printf("%d\t%s\t%s\t%.3f\t%s\n", R.Profile.Key, R.Profile.Name, R.OutputFile.c_str(), R.Seconds,
                        R.Ok ? "ok" : R.Error.c_str());
        }
        std::printf("%d of %zu profiles ok, %.3f s on %d thread(s), outputs in %s\n", ok, results.size(), wall,
                    arguments.Threads, arguments.OutputFolder.c_str());
        return ok == int(results.size()) ? 0 : 1;
    } catch (const std::exception& E) {
        std::fprintf(stderr, "%s\n", E.what());
        return 1;
    }
}
