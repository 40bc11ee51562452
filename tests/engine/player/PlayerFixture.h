// A player on SDL's dummy drivers with its libraries loaded, recording the
// states it reports; freed, and its libraries unloaded, after each test.
#pragma once

#include "engine/loader/FFmpegLoader.h"
#include "engine/player/FFPlay.h"
#include "platform/core/MainThread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace playertest {

class TPlayerFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        Player = std::make_unique<engine::TCustomPlayer>(nullptr);
        ASSERT_TRUE(Player->LoadAVLib("")) << Player->LastErrMsg();
        Player->OnState = [this](platform::TObject*, engine::TPlayState AState) { States.push_back(AState); };
    }

    void TearDown() override
    {
        Player.reset();
        // A test that ended the message loop lets the next one call in again.
        platform::ResumeMainThreadCalls();
        engine::GlobalLoader().Unload(engine::PlayerLibraries);
    }

    bool SawState(engine::TPlayState AState) const
    {
        return std::find(States.begin(), States.end(), AState) != States.end();
    }

    std::unique_ptr<engine::TCustomPlayer> Player;
    std::vector<engine::TPlayState> States;
};

} // namespace playertest
