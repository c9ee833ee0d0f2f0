// Runs every test inside one JUCE environment and turns framework assertions
// into test failures, so misuse of the framework shows up as a red test.

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

    const int result = RUN_ALL_TESTS();

    juce::Logger::setCurrentLogger (nullptr);
    return result;
}
