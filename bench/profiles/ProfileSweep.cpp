#include "bench/profiles/ProfileSweep.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <set>

#include "engine/component/FFConverter.h"
#include "engine/probe/AVProbe.h"
#include "platform/core/MainThread.h"
#include "profiles/PresetLists.h"
#include "profiles/PresetTexts.h"
#include "profiles/ProfileCatalogue.h"

namespace profilesweep {

namespace {

using TClock = std::chrono::steady_clock;

// What the terminate records of one run tell, filled on the delivery
// threads.
struct TRunRecords {
    std::mutex Lock;
    std::vector<engine::TTerminateInfo> Infos; // by task
    std::vector<TClock::time_point> Ends;      // by task
    std::vector<bool> Ended;                   // by task
    std::atomic<bool> Final{false};

    // Before the run starts: no delivery thread writes yet.
    void Resize(size_t ATasks)
    {
        Infos.resize(ATasks);
        Ends.resize(ATasks);
        Ended.assign(ATasks, false);
    }

    void Take(const engine::TTerminateInfo& AInfo)
    {
        if (AInfo.TaskIndex < 0) {
            Final = true;
            return;
        }
        std::lock_guard<std::mutex> guard(Lock);
        const auto task = size_t(AInfo.TaskIndex);
        if (task >= Infos.size())
            return;
        Infos[task] = AInfo;
        Ends[task] = TClock::now();
        Ended[task] = true;
    }
};

// The per-file steps of an add: probe, reset, task, profile defaults with
// the output name, preset texts, output options, output file. Answers the
// task index, or -1 with the reason in AResult.
int AddJob(engine::TFFConverter& AConverter, const TSweepJob& AJob, const std::string& AOutputFolder,
           std::set<std::string>& ATaken, TSweepResult& AResult)
{
    if (!AConverter.AVProbe()->LoadFile(AJob.Input, "")) {
        AResult.Error = "File load error: " + AConverter.AVProbe()->LastErrMsg();
        return -1;
    }
    engine::TInputOptions input;
    engine::InitInputOptions(input);
    const int task = AConverter.AddTask(AJob.Input, &input);
    if (task < 0) {
        AResult.Error = "File open error: " + AConverter.LastErrMsg();
        return -1;
    }
    engine::TOutputOptions output;
    engine::InitOutputOptions(output);
    try {
        const profiles::TOutputFields fields =
            FieldsForProfile(AJob.Input, AJob.Profile.Key, profiles::TOutputNaming{AOutputFolder, false, &ATaken});
        AResult.OutputFile = fields.Video_OutPutFileName;
        profiles::OutputFieldsToOptions(fields, output);
    } catch (const std::exception& E) {
        AConverter.RemoveTask(task);
        AResult.Error = E.what();
        return -1;
    }
    // Later rows must not aim at this file, whether or not it gets written.
    ATaken.insert(AResult.OutputFile);
    if (!AConverter.SetOutputFile(task, AResult.OutputFile, &output)) {
        AConverter.RemoveTask(task);
        AResult.Error = "Cannot do convert, error: " + AConverter.LastErrMsg();
        return -1;
    }
    return task;
}

// The component starts the first AThreads tasks at once and the next
// pending one whenever a task ends, so the k-th task starts at the run's
// start or at the (k - AThreads)-th end.
std::vector<TClock::time_point> TaskStarts(const TRunRecords& ARecords, TClock::time_point ARunStart, int AThreads)
{
    std::vector<TClock::time_point> ends;
    for (size_t task = 0; task < ARecords.Ends.size(); ++task)
        if (ARecords.Ended[task])
            ends.push_back(ARecords.Ends[task]);
    std::sort(ends.begin(), ends.end());
    std::vector<TClock::time_point> starts(ARecords.Ends.size(), ARunStart);
    for (size_t task = size_t(AThreads); task < starts.size() && task - AThreads < ends.size(); ++task)
        starts[task] = ends[task - AThreads];
    return starts;
}

void TakeRunResult(const TRunRecords& ARecords, size_t ATask, TClock::time_point AStart, TSweepResult& AResult)
{
    if (!ARecords.Ended[ATask]) {
        AResult.Error = "The task sent no terminate record";
        return;
    }
    const engine::TTerminateInfo& info = ARecords.Infos[ATask];
    AResult.Seconds = std::chrono::duration<double>(ARecords.Ends[ATask] - AStart).count();
    AResult.Ok = info.Finished && !info.Exception;
    if (info.Exception)
        AResult.Error = info.ExceptionMsg.empty() ? std::string("The task failed without a message") : info.ExceptionMsg;
    else if (!info.Finished)
        AResult.Error = "The task did not finish";
}

} // namespace

std::vector<TSweepProfile> CatalogueProfiles()
{
    std::vector<TSweepProfile> result;
    for (int category = 0; category < profiles::CategoryCount; ++category) {
        const auto names = profiles::ProfileNamesAt(category);
        for (int position = 0; position < int(names.size()); ++position)
            result.push_back(TSweepProfile{*profiles::CatalogueKey(category, position), category, position,
                                           names[size_t(position)]});
    }
    return result;
}

bool IsAudioOnlyProfile(int AKey)
{
    const profiles::TProfileDefaults* row = profiles::FindProfileDefaults(AKey);
    return row && row->DisableVideo;
}

profiles::TOutputFields FieldsForProfile(const std::string& AInput, int AKey, const profiles::TOutputNaming& ANaming)
{
    profiles::TOutputFields fields;
    profiles::ResetOutputFields(fields);
    fields.Video_AddFileName = AInput;
    profiles::ApplyProfileDefaults(fields, AKey, ANaming);
    // A fresh choice shows each list's default entry; a key without lists
    // leaves them empty, and empty lists give no texts to apply.
    if (const std::optional<profiles::TPresetChoices> choices = profiles::FindPresetChoices(AKey))
        profiles::ApplyPresetTexts(fields, choices->DefaultTexts());
    return fields;
}

std::vector<TSweepResult> RunSweep(const std::vector<TSweepJob>& AJobs, const std::string& AOutputFolder,
                                   int AThreads)
{
    const int threads = std::max(AThreads, 1);
    std::vector<TSweepResult> results(AJobs.size());
    std::vector<size_t> jobOfTask;
    // Declared before the component: its destruction waits for the
    // delivery threads that still write here.
    TRunRecords records;
    engine::TFFConverter converter(nullptr);
    if (!converter.LoadAVLib(""))
        throw platform::Exception(converter.LastErrMsg());
    converter.SetVerbose(0);
    std::set<std::string> taken;
    for (size_t job = 0; job < AJobs.size(); ++job) {
        results[job].Profile = AJobs[job].Profile;
        results[job].Input = AJobs[job].Input;
        if (AddJob(converter, AJobs[job], AOutputFolder, taken, results[job]) >= 0)
            jobOfTask.push_back(job);
    }
    records.Resize(jobOfTask.size());
    converter.OnTerminate = [&records](platform::TObject*, const engine::TTerminateInfo& AInfo) {
        records.Take(AInfo);
    };
    const TClock::time_point runStart = TClock::now();
    converter.Start(threads);
    platform::WaitUntilServing([&records] { return records.Final.load(); });
    std::lock_guard<std::mutex> guard(records.Lock);
    const std::vector<TClock::time_point> starts = TaskStarts(records, runStart, threads);
    for (size_t task = 0; task < jobOfTask.size(); ++task)
        TakeRunResult(records, task, starts[task], results[jobOfTask[task]]);
    return results;
}

} // namespace profilesweep
