#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_Helpers.h"

#include <optional>

using namespace skintest;
using skin::StepMorph;
using skin::TbsMorph;

namespace {

// One timer interval of the fade, then the messages it posts.
void Tick20(TFakeClock& AClock)
{
    AClock.Now += 20;
    Application()->ProcessMessages();
}

// A fade driven by plain fields instead of a control.
struct TFade {
    bool Hot = true;
    bool CanFade = true;
    int Repaints = 0;
    std::optional<TbsMorph> Morph;
    TFade() { Morph.emplace([this] { return Hot; }, [this] { return CanFade; }, [this] { ++Repaints; }); }
};

} // namespace

TEST(MorphStep, StepsByAFifthAndStopsExactlyAtTheEnds)
{
    struct Case {
        double From;
        bool ToHot;
        double To;
        bool Arrived;
    };
    const Case cases[] = {
        {0.0, true, 0.2, false}, {0.8, true, 1.0, false},  {0.8 + 1e-12, true, 1.0, false},
        {1.0, true, 1.0, true},  {1.0, false, 0.8, false}, {0.2, false, 0.0, false},
        {0.0, false, 0.0, true}, {0.5, true, 0.7, false},
    };
    for (const Case& c : cases) {
        double kf = c.From;
        EXPECT_EQ(StepMorph(kf, c.ToHot), c.Arrived) << c.From << (c.ToHot ? " to hot" : " back");
        EXPECT_DOUBLE_EQ(kf, c.To) << c.From << (c.ToHot ? " to hot" : " back");
    }
    // Five steps from either end land exactly on the other one.
    double kf = 0;
    for (int i = 0; i < 5; ++i)
        StepMorph(kf, true);
    EXPECT_EQ(kf, 1.0);
    for (int i = 0; i < 5; ++i)
        StepMorph(kf, false);
    EXPECT_EQ(kf, 0.0);
}

TEST(Morph, TheTimerFadesToTheHotEndRepaintingEachStepThenStops)
{
    TFakeClock clock;
    TFade f;
    f.Morph->Start();
    f.Morph->Start();   // a second start while running keeps one timer
    std::vector<double> seen;
    for (int i = 0; i < 5; ++i) {
        Tick20(clock);
        seen.push_back(f.Morph->Kf());
    }
    ASSERT_EQ(seen.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(seen[i], 0.2 * (i + 1), 1e-9) << i;
    EXPECT_EQ(f.Repaints, 5);
    Tick20(clock);   // arrived: the timer stops
    EXPECT_FALSE(f.Morph->Running());
    const int repaints = f.Repaints;
    Tick20(clock);
    EXPECT_EQ(f.Repaints, repaints);
    EXPECT_EQ(f.Morph->Kf(), 1.0);
}

TEST(Morph, TurningBackMidwayFadesFromWhereItIs)
{
    TFakeClock clock;
    TFade f;
    f.Morph->Start();
    Tick20(clock);
    Tick20(clock);
    f.Hot = false;
    Tick20(clock);
    EXPECT_NEAR(f.Morph->Kf(), 0.2, 1e-9);
    Tick20(clock);
    EXPECT_EQ(f.Morph->Kf(), 0.0);
}

TEST(Morph, AControlThatCanNoLongerFadeJumpsToTheEndWithoutARepaint)
{
    for (bool hot : {true, false}) {
        TFakeClock clock;
        TFade f;
        f.Hot = hot;
        f.Morph->SetKf(0.4);
        f.Morph->Start();
        f.CanFade = false;
        Tick20(clock);
        EXPECT_EQ(f.Morph->Kf(), hot ? 1.0 : 0.0);
        EXPECT_FALSE(f.Morph->Running());
        EXPECT_EQ(f.Repaints, 0);
    }
}

TEST(Morph, ResetStopsTheFadeAndAGoneMorphLeavesNoTimer)
{
    TFakeClock clock;
    TFade f;
    f.Morph->Start();
    f.Morph->Reset(0.6);
    EXPECT_FALSE(f.Morph->Running());
    EXPECT_EQ(f.Morph->Kf(), 0.6);
    Tick20(clock);
    EXPECT_EQ(f.Repaints, 0);
    // Freed while fading: its timer goes with it and never calls back.
    f.Morph->Start();
    f.Morph.reset();
    Tick20(clock);
    Tick20(clock);
    EXPECT_EQ(f.Repaints, 0);
}
