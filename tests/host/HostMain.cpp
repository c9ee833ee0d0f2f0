// Runs the host-side tests inside one JUCE environment, as a host application
// would: the main thread is the message thread. HOME points at an empty folder
// for the run, so the plug-in's per-user folders and the LV2 search path
// (~/.lv2) never see an installed copy of the plug-in.

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <cstdlib>

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

    char homeTemplate[] = "/tmp/corvane-host-home-XXXXXX";
    const char* home = mkdtemp (homeTemplate);
    if (home == nullptr)
        return 2;
    setenv ("HOME", home, 1);

    int result = 0;
    {
        juce::ScopedJuceInitialiser_GUI juce;
        FailingLogger logger;
        juce::Logger::setCurrentLogger (&logger);
        result = RUN_ALL_TESTS();
        juce::Logger::setCurrentLogger (nullptr);
    }

    juce::File (home).deleteRecursively();
    return result;
}
