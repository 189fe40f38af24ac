#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

// Every test binary gets JUCE's message manager (so change broadcasters, timers and
// async updaters can be created), without running its loop unless a test pumps it.
int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
