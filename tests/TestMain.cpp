// Runs every test inside one JUCE environment and turns framework assertions
// into test failures, so misuse of the framework shows up as a red test.

#include "presets/PresetFolders.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

namespace
{
    class FailingLogger : public juce::Logger
    {
    protected:
        void logMessage (const juce::String& message) override
        {
            if (message.containsIgnoreCase ("JUCE Assertion failure"))
                ADD_FAILURE() << message;
        }
    };
}

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);

    juce::ScopedJuceInitialiser_GUI juce;
    FailingLogger logger;
    juce::Logger::setCurrentLogger (&logger);

    // Processors built without folders of their own read and create preset
    // folders here, never in the machine's real ones (where installed factory
    // presets would also change their start-up sound).
    const auto presetFolders = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                   .getChildFile ("corvane-tests-presets-" + juce::Uuid().toString());
    corvane::PresetFolderRoots::replaceForProcess (corvane::PresetFolderRoots::under (presetFolders));

    const int result = RUN_ALL_TESTS();

    corvane::PresetFolderRoots::restoreSystemForProcess();
    (void) presetFolders.deleteRecursively();

    juce::Logger::setCurrentLogger (nullptr);
    return result;
}
