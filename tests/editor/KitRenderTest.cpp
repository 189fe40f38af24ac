#include "editor/kit/BigKnob.h"
#include "editor/kit/ChannelMonitor.h"
#include "editor/kit/ZD8LookAndFeel.h"
#include "editor/kit/SharedPictures.h"
#include "editor/kit/NoteMeter.h"
#include "editor/kit/WheelControl.h"
#include "editor/shell/SidePanel.h"
#include "editor/kit/ZoneKeyRange.h"
#include "support/RenderCheck.h"

#include <gtest/gtest.h>

using namespace zd8;

namespace
{
    /** A small panel with one of each drawn widget on a framed background. */
    struct KitPanel : juce::Component
    {
        KitPanel()
        {
            setSize (560, 330);
            for (auto* c : std::initializer_list<juce::Component*> { &left, &knob, &pitch, &meter, &monitor, &zone })
                addAndMakeVisible (c);
            left.setBounds (0, 0, 16, 330);
            knob.setTopLeftPosition (40, 30);
            pitch.setBounds (176, 30, 31, 112);
            meter.setBounds (224, 30, 5, 109);
            monitor.setTopLeftPosition (250, 30);
            zone.setTopLeftPosition (40, 180);

            knob.setValue (12);
            pitch.setValue (96);
            meter.setPeak (90);
            for (int i = 0; i < ChannelMonitor::numSliders; ++i)
                monitor.setEntry (i, i * 15);
            monitor.setEntry (ChannelMonitor::modulationEntry, 100);
            zone.setZone (36, 71);
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (0xff131313));
            look->paintFrame (g, 24, 14, 520, 200);
            {
                juce::Graphics::ScopedSaveState state (g);
                g.setOrigin ({ 24, 226 });
                look->paintBar (g, 520, 64, juce::Colours::black);
            }
            for (int i = 0; i < 4; ++i)
                pictures->drawKnob (g, i * 18, i % 2, 260 + 60 * i, 160, 1.0f);
            look->paintCentred (g, pictures->get (SharedPictures::lampOn), 500, 310);
        }

        juce::SharedResourcePointer<ZD8LookAndFeel> look;
        juce::SharedResourcePointer<SharedPictures> pictures;
        SidePanel left;
        BigKnob knob;
        WheelControl pitch { true };
        NoteMeter meter;
        ChannelMonitor monitor { 2 };
        ZoneKeyRange zone;
    };
}

TEST (KitRender, PanelOfDrawnWidgets)
{
    KitPanel panel;
    const auto difference = zd8test::compareWithReference (panel, "kit_panels");
    EXPECT_TRUE (difference.isEmpty()) << difference;
}

TEST (KitRender, SharedLookAndPicturesAreOnePerProcess)
{
    juce::SharedResourcePointer<ZD8LookAndFeel> a, b;
    juce::SharedResourcePointer<SharedPictures> c, d;
    EXPECT_EQ (&a.get(), &b.get());
    EXPECT_EQ (&c.get(), &d.get());
    EXPECT_EQ (c->get (SharedPictures::knobStripA).getWidth(), 2584);
    EXPECT_EQ (a->findColour (juce::PopupMenu::backgroundColourId), juce::Colours::black);
}
