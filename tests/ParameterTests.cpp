#include "engine/CorvaneAudioProcessor.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST (Parameters, HostSeesThirtyParametersInTableOrder)
{
    CorvaneAudioProcessor p;
    const auto& params = p.getParameters();
    ASSERT_EQ (params.size(), 30);

    const char* ids[30] = { "0vox1level", "1vox1octave", "2vox1type", "3vox2level", "4vox2octave", "5vox2type",
                            "6vox3level", "7vox3octave", "8vox3type", "9vox4level", "10vox4octave", "11vox4type",
                            "12attack", "13decay", "14sustain", "15release", "16chorusmode", "17phaserrate",
                            "18phasermode", "19reverbamount", "20outputlevel", "21vox1semi", "22vox1finetune",
                            "23vox2semi", "24vox2finetune", "25vox3semi", "26vox3finetune", "27vox4semi",
                            "28vox4finetune", "29driveamount" };

    for (int i = 0; i < 30; ++i)
    {
        auto* withId = dynamic_cast<juce::HostedAudioProcessorParameter*> (params[i]);
        ASSERT_NE (withId, nullptr);
        EXPECT_EQ (withId->getParameterID(), ids[i]);
        EXPECT_EQ (params[i]->getName (100), synthParameterTable[i].name);
        EXPECT_EQ (params[i]->getLabel(), "");
        EXPECT_TRUE (params[i]->isAutomatable());
        EXPECT_FLOAT_EQ (params[i]->getDefaultValue(), synthParameterTable[i].defaultNormalised()) << ids[i];
        if (auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (params[i]))
        {
            EXPECT_EQ (ranged->getVersionHint(), 1);
        }
    }
}

TEST (Parameters, FloatTextHasSevenDecimalsAndIntsArePlain)
{
    CorvaneAudioProcessor p;
    auto* attack = p.getParameterAt (param::attack);
    EXPECT_EQ (attack->getText (attack->getDefaultValue(), 1024), "1.0000000");
    auto* level = p.getParameterAt (param::vox1Level);
    EXPECT_EQ (level->getText (level->getDefaultValue(), 1024), "0.7070000");
    auto* semi = p.getParameterAt (param::vox1Semi);
    EXPECT_EQ (semi->getText (0.5f, 1024), "0");
}

TEST (Parameters, PlainValueRules)
{
    struct Case { int row; float v; float expected; float tolerance; };
    const Case cases[] = {
        { param::vox1Semi, 0.5f, 0.0f, 0.0f },
        { param::vox1Octave, 0.5f, 0.0f, 0.0f },          // 0.5 rounds to the even 0
        { param::vox2Octave, 5.0f / 6.0f, 2.0f, 0.0f },   // 1.5 rounds to the even 2
        { param::chorusMode, 0.5f, 2.0f, 0.0f },          // 1.5 rounds to 2
        { param::phaserMode, 0.25f, 0.0f, 0.0f },         // 0.5 rounds to 0
        { param::phaserMode, 0.75f, 2.0f, 0.0f },         // 1.5 rounds to 2
        { param::vox1Level, 0.707f, 0.707f * 0.707f, 1e-6f },
        { param::vox1Level, 1.0f, 1.0f, 0.0f },
        { param::phaserRate, 0.5f, 0.51875f, 1e-6f },
        { param::outputLevel, 1.0f, 1.5f, 0.0f },
        { param::outputLevel, 2.0f / 3.0f, 2.0f / 3.0f, 1e-6f },
        { param::attack, 0.0f, 0.01f, 0.0f },
        { param::decay, 0.0f, 0.0049f, 0.0f },
        { param::sustain, 0.3f, 0.3f, 0.0f },
        { param::vox1FineTune, 0.75f, 0.5f, 1e-6f },
        { param::vox4Semi, 1.0f, 11.0f, 0.0f },
    };

    for (const auto& c : cases)
        EXPECT_NEAR (plainValue (c.row, c.v), c.expected, c.tolerance) << "row " << c.row << " v " << c.v;
}

TEST (Parameters, RoundHalfEven)
{
    EXPECT_EQ (roundHalfEven (0.5), 0);
    EXPECT_EQ (roundHalfEven (1.5), 2);
    EXPECT_EQ (roundHalfEven (2.5), 2);
    EXPECT_EQ (roundHalfEven (-0.5), 0);
    EXPECT_EQ (roundHalfEven (-1.5), -2);
    EXPECT_EQ (roundHalfEven (2.4999), 2);
    EXPECT_EQ (roundHalfEven (-11.0), -11);
}

TEST (Parameters, ProgramsAreInert)
{
    CorvaneAudioProcessor p;
    EXPECT_EQ (p.getNumPrograms(), 1);
    EXPECT_EQ (p.getCurrentProgram(), 0);
    p.setCurrentProgram (3);
    p.changeProgramName (0, "x");
    EXPECT_EQ (p.getCurrentProgram(), 0);
    EXPECT_EQ (p.getProgramName (0), "");
    EXPECT_EQ (p.getName(), "Corvane");
    EXPECT_EQ (p.getTailLengthSeconds(), 0.0);
    EXPECT_TRUE (p.acceptsMidi());
    EXPECT_FALSE (p.producesMidi());
}
