#pragma once
// The workflow over a recording engine and window, with a home folder, a
// media folder and the output folder of a fresh option file.

#include "WorkflowFakes.h"

#include "platform/core/SysUtils.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace apptest {

using namespace app;
using testsupport::TTempDir;
using testsupport::WriteFile;

class TWorkflowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        FOldHome = platform::GetEnvironmentVariable("HOME");
        platform::SetEnvironmentVariable("HOME", Home.Path());
        FOldActions = platform::SetSystemActions(std::make_unique<TFakeSystemActions>(&Actions));
        FOldLauncher = platform::SetLauncher(std::make_unique<TFakeLauncher>(&Actions));
        Flow.ProgramFolder = Home.Path();
        Flow.LoadSettings();
        Out = Flow.OutputFolder();
    }
    void TearDown() override
    {
        platform::SetSystemActions(std::move(FOldActions));
        platform::SetLauncher(std::move(FOldLauncher));
        platform::SetEnvironmentVariable("HOME", FOldHome);
    }

    // A source file (its content does not matter to the fake engine).
    std::string Source(const std::string& AName)
    {
        const std::string path = Media.File(AName);
        platform::ForceDirectories(platform::ExtractFileDir(path));
        WriteFile(path, "media");
        return path;
    }
    const std::string& Sub(int ARow, int ASubItem) { return Flow.Rows().Row(ARow).Sub(ASubItem); }

    TTempDir Home;
    TTempDir Media;
    TOptionFile Options{Home.File("option.ini")};
    TFakeEngine Engine;
    TFakeView View;
    std::vector<std::string> Actions;
    TConverterWorkflow Flow{Engine, Options, View};
    std::string Out;

private:
    std::string FOldHome;
    std::unique_ptr<platform::ISystemActions> FOldActions;
    std::unique_ptr<platform::ILauncher> FOldLauncher;
};


} // namespace apptest
