#include "tools/picgen/CategoryIcons.h"

#include "tools/picgen/PictureKit.h"

#include <cmath>

namespace zd8gen
{

namespace
{
    using K = PictureKit;
    constexpr float pi = juce::MathConstants<float>::pi;

    // Every icon is drawn in a 100 x 50 design space and mapped into the box; stroke
    // widths are in design units too.
    struct Pen
    {
        juce::Graphics& g;
        juce::AffineTransform t;
        float scale;

        void fill (const juce::Path& p, juce::Colour c) const
        {
            g.setColour (c);
            g.fillPath (p, t);
        }
        void stroke (const juce::Path& p, float width, juce::Colour c) const
        {
            g.setColour (c);
            g.strokePath (p, juce::PathStrokeType (juce::jmax (0.8f, width * scale), juce::PathStrokeType::curved,
                                                   juce::PathStrokeType::rounded),
                          t);
        }
        void rect (float x, float y, float w, float h, juce::Colour c, float corner = 0.0f) const
        {
            juce::Path p;
            p.addRoundedRectangle (x, y, w, h, corner);
            fill (p, c);
        }
        void line (float x1, float y1, float x2, float y2, float width, juce::Colour c) const
        {
            juce::Path p;
            p.startNewSubPath (x1, y1);
            p.lineTo (x2, y2);
            stroke (p, width, c);
        }
        void circle (float cx, float cy, float r, juce::Colour c) const
        {
            juce::Path p;
            p.addEllipse (cx - r, cy - r, 2.0f * r, 2.0f * r);
            fill (p, c);
        }
        void ring (float cx, float cy, float r, float width, juce::Colour c) const
        {
            juce::Path p;
            p.addEllipse (cx - r, cy - r, 2.0f * r, 2.0f * r);
            stroke (p, width, c);
        }
    };

    const juce::Colour ink = K::c (0xffe2e2e2);
    const juce::Colour dim = K::c (0xff6a6a6a);
    const juce::Colour dark = K::c (0xff0d0d0d);
    const juce::Colour accent = K::c (K::amber);
    const juce::Colour accentLight = K::c (K::amberLight);
    const juce::Colour cool = K::c (K::blue);

    void keyboard (const Pen& pen, float x, float y, float w, float h, int whiteKeys, bool reversed = false)
    {
        const float kw = w / (float) whiteKeys;
        pen.rect (x, y, w, h, reversed ? dark : ink, 1.0f);
        for (int i = 1; i < whiteKeys; ++i)
            pen.line (x + kw * (float) i, y + 0.5f, x + kw * (float) i, y + h - 0.5f, 0.7f, reversed ? dim : dark);
        static const bool hasBlack[] = { true, true, false, true, true, true, false };
        for (int i = 0; i < whiteKeys - 1; ++i)
            if (hasBlack[i % 7])
                pen.rect (x + kw * ((float) i + 0.68f), y, kw * 0.64f, h * 0.6f, reversed ? ink : dark);
        pen.rect (x, y, w, h * 0.07f, accent);
    }

    juce::Path grandOutline (float x, float y, float w, float h)
    {
        // Top view of a grand: straight spine, the bent side curving in to the tail.
        juce::Path p;
        p.startNewSubPath (x, y);
        p.lineTo (x + w * 0.92f, y);
        p.cubicTo (x + w * 1.02f, y, x + w * 1.02f, y + h * 0.45f, x + w * 0.85f, y + h * 0.55f);
        p.cubicTo (x + w * 0.62f, y + h * 0.68f, x + w * 0.55f, y + h, x + w * 0.35f, y + h);
        p.lineTo (x, y + h);
        p.closeSubPath();
        return p;
    }
}

void CategoryIcons::draw (juce::Graphics& g, Icon icon, juce::Rectangle<float> box)
{
    const float scale = juce::jmin (box.getWidth() / 100.0f, box.getHeight() / 50.0f);
    const float ox = box.getCentreX() - 50.0f * scale, oy = box.getCentreY() - 25.0f * scale;
    const Pen pen { g, juce::AffineTransform::scale (scale).translated (ox, oy), scale };
    juce::Path p;

    switch (icon)
    {
        case noCategory:
            // A quaver
            pen.circle (44.0f, 38.0f, 7.0f, dim);
            pen.line (50.5f, 38.0f, 50.5f, 8.0f, 2.5f, dim);
            p.startNewSubPath (50.5f, 8.0f);
            p.quadraticTo (62.0f, 14.0f, 60.0f, 26.0f);
            pen.stroke (p, 2.5f, dim);
            break;
        case layers:
            for (int i = 2; i >= 0; --i)
            {
                juce::Path layer;
                const float y = 12.0f + (float) i * 9.0f;
                layer.addQuadrilateral (50.0f, y - 8.0f, 78.0f, y, 50.0f, y + 8.0f, 22.0f, y);
                pen.fill (layer, i == 0 ? accent : (i == 1 ? cool : dim));
                pen.stroke (layer, 1.2f, dark);
            }
            break;
        case grandPiano:
            p = grandOutline (18.0f, 5.0f, 64.0f, 40.0f);
            pen.fill (p, K::c (0xff2e2e2e));
            pen.stroke (p, 2.0f, ink);
            for (int i = 0; i < 6; ++i)
                pen.line (24.0f, 12.0f + (float) i * 4.0f, 62.0f - (float) i * 3.5f, 12.0f + (float) i * 4.0f, 0.8f, accent);
            keyboard (pen, 18.0f, 40.0f, 36.0f, 7.0f, 10);
            break;
        case grandSide:
            // Side view with the lid raised
            p.addQuadrilateral (16.0f, 26.0f, 84.0f, 26.0f, 84.0f, 34.0f, 16.0f, 34.0f);
            pen.fill (p, ink);
            pen.line (18.0f, 25.0f, 70.0f, 6.0f, 3.0f, ink);
            pen.line (70.0f, 6.0f, 70.0f, 25.0f, 1.2f, dim);
            pen.line (22.0f, 34.0f, 22.0f, 47.0f, 3.0f, ink);
            pen.line (78.0f, 34.0f, 78.0f, 47.0f, 3.0f, ink);
            pen.rect (12.0f, 24.0f, 12.0f, 4.0f, accent);
            break;
        case tripleKeys:
            keyboard (pen, 14.0f, 4.0f, 72.0f, 12.0f, 14);
            keyboard (pen, 14.0f, 19.0f, 72.0f, 12.0f, 14);
            keyboard (pen, 14.0f, 34.0f, 72.0f, 12.0f, 14);
            break;
        case uprightPiano:
            pen.rect (26.0f, 4.0f, 48.0f, 30.0f, K::c (0xff2e2e2e), 2.0f);
            p.addRoundedRectangle (26.0f, 4.0f, 48.0f, 30.0f, 2.0f);
            pen.stroke (p, 2.0f, ink);
            keyboard (pen, 22.0f, 32.0f, 56.0f, 8.0f, 12);
            pen.line (28.0f, 40.0f, 28.0f, 47.0f, 3.0f, ink);
            pen.line (72.0f, 40.0f, 72.0f, 47.0f, 3.0f, ink);
            pen.rect (34.0f, 10.0f, 32.0f, 3.0f, accent);
            break;
        case stageEPiano:
            keyboard (pen, 10.0f, 14.0f, 80.0f, 12.0f, 15);
            pen.rect (8.0f, 10.0f, 84.0f, 5.0f, K::c (0xff3a3a3a), 1.0f);
            for (int i = 0; i < 4; ++i)
                pen.circle (60.0f + (float) i * 7.0f, 12.5f, 1.5f, accentLight);
            pen.line (18.0f, 27.0f, 26.0f, 47.0f, 2.2f, ink);
            pen.line (26.0f, 27.0f, 18.0f, 47.0f, 2.2f, ink);
            pen.line (74.0f, 27.0f, 82.0f, 47.0f, 2.2f, ink);
            pen.line (82.0f, 27.0f, 74.0f, 47.0f, 2.2f, ink);
            break;
        case tines:
        case tonebars:
            // Tines of falling length over a pickup rail; the tonebar variant adds the bars
            for (int i = 0; i < 9; ++i)
            {
                const float x = 14.0f + (float) i * 9.0f;
                const float length = 38.0f - (float) i * 3.2f;
                if (icon == tonebars)
                    pen.rect (x - 2.5f, 6.0f, 5.0f, length * 0.7f, accent, 1.0f);
                pen.line (x + (icon == tonebars ? 3.5f : 0.0f), 6.0f, x + (icon == tonebars ? 3.5f : 0.0f), 6.0f + length,
                          1.6f, ink);
            }
            pen.rect (10.0f, 44.0f, 84.0f, 4.0f, cool, 1.5f);
            if (icon == tines)
                pen.rect (10.0f, 3.0f, 84.0f, 4.0f, accent, 1.5f);
            break;
        case reeds:
            pen.rect (10.0f, 6.0f, 80.0f, 6.0f, dim, 1.0f);
            for (int i = 0; i < 10; ++i)
            {
                const float x = 13.0f + (float) i * 8.0f;
                pen.rect (x, 12.0f, 4.0f, 26.0f - (float) i * 1.3f, ink, 1.0f);
                pen.circle (x + 2.0f, 9.0f, 1.3f, accent);
            }
            pen.rect (10.0f, 42.0f, 80.0f, 3.0f, cool, 1.0f);
            break;
        case clav:
            for (int i = 0; i < 7; ++i)
                pen.line (8.0f, 8.0f + (float) i * 5.5f, 92.0f, 8.0f + (float) i * 5.5f, 1.0f, ink);
            pen.rect (30.0f, 4.0f, 8.0f, 40.0f, accent, 1.5f);
            pen.rect (58.0f, 4.0f, 8.0f, 40.0f, accent, 1.5f);
            for (int i = 0; i < 4; ++i)
            {
                pen.circle (34.0f, 9.0f + (float) i * 10.0f, 1.4f, dark);
                pen.circle (62.0f, 9.0f + (float) i * 10.0f, 1.4f, dark);
            }
            break;
        case harpsichord:
            p.startNewSubPath (12.0f, 10.0f);
            p.lineTo (60.0f, 10.0f);
            p.lineTo (90.0f, 24.0f);
            p.lineTo (90.0f, 30.0f);
            p.lineTo (12.0f, 30.0f);
            p.closeSubPath();
            pen.fill (p, K::c (0xff3a2a1a));
            pen.stroke (p, 1.8f, ink);
            keyboard (pen, 12.0f, 31.0f, 30.0f, 6.0f, 7, true);
            keyboard (pen, 12.0f, 38.0f, 30.0f, 6.0f, 7, true);
            pen.line (46.0f, 15.0f, 86.0f, 27.0f, 0.8f, accent);
            pen.line (46.0f, 19.0f, 82.0f, 28.0f, 0.8f, accent);
            break;
        case drawbars:
        {
            const juce::Colour caps[] = { K::c (0xff8a4b25), K::c (0xff8a4b25), ink, ink, K::c (0xff111111), ink,
                                          K::c (0xff111111), K::c (0xff111111), ink };
            const float pulled[] = { 30.0f, 22.0f, 34.0f, 16.0f, 8.0f, 20.0f, 4.0f, 10.0f, 26.0f };
            pen.rect (8.0f, 2.0f, 84.0f, 4.0f, dim, 1.0f);
            for (int i = 0; i < 9; ++i)
            {
                const float x = 11.0f + (float) i * 9.0f;
                pen.rect (x + 2.0f, 6.0f, 3.0f, pulled[i], K::c (0xffc8c0b0));
                pen.rect (x, 6.0f + pulled[i], 7.0f, 9.0f, caps[i], 2.0f);
                juce::Path capOutline;
                capOutline.addRoundedRectangle (x, 6.0f + pulled[i], 7.0f, 9.0f, 2.0f);
                pen.stroke (capOutline, 0.8f, dim);
            }
            break;
        }
        case comboOrgan:
            pen.rect (8.0f, 8.0f, 84.0f, 10.0f, K::c (0xffb03020), 2.0f);
            for (int i = 0; i < 8; ++i)
                pen.rect (14.0f + (float) i * 8.5f, 10.5f, 5.0f, 5.0f, i % 3 == 0 ? ink : accentLight, 1.0f);
            keyboard (pen, 8.0f, 20.0f, 84.0f, 14.0f, 15, true);
            pen.line (16.0f, 34.0f, 16.0f, 47.0f, 2.0f, dim);
            pen.line (84.0f, 34.0f, 84.0f, 47.0f, 2.0f, dim);
            break;
        case organOnStand:
            keyboard (pen, 12.0f, 8.0f, 76.0f, 12.0f, 14, true);
            pen.rect (10.0f, 4.0f, 80.0f, 4.0f, K::c (0xffd05a20), 1.0f);
            p.startNewSubPath (26.0f, 20.0f);
            p.lineTo (74.0f, 34.0f);
            p.lineTo (26.0f, 47.0f);
            pen.stroke (p, 3.0f, ink);
            pen.line (20.0f, 47.0f, 34.0f, 47.0f, 3.0f, ink);
            break;
        case pipes:
            for (int i = 0; i < 9; ++i)
            {
                const float x = 12.0f + (float) i * 9.0f;
                const float h = 40.0f - std::abs ((float) i - 4.0f) * 6.0f;
                pen.rect (x, 46.0f - h, 6.0f, h, i % 2 == 0 ? ink : K::c (0xffb8b8b8), 2.0f);
                pen.rect (x + 1.0f, 46.0f - h * 0.3f, 4.0f, 2.0f, dark);
            }
            pen.rect (8.0f, 46.0f, 84.0f, 3.0f, accent, 1.0f);
            break;
        case sawWave:
        case pulseWave:
        case envelope:
        {
            pen.line (6.0f, 25.0f, 94.0f, 25.0f, 0.6f, dim);
            if (icon == sawWave)
            {
                p.startNewSubPath (8.0f, 40.0f);
                for (int i = 0; i < 3; ++i)
                {
                    p.lineTo (8.0f + (float) (i + 1) * 28.0f, 8.0f);
                    p.lineTo (8.0f + (float) (i + 1) * 28.0f, 40.0f);
                }
            }
            else if (icon == pulseWave)
            {
                p.startNewSubPath (8.0f, 40.0f);
                for (int i = 0; i < 3; ++i)
                {
                    const float x = 8.0f + (float) i * 28.0f;
                    p.lineTo (x, 10.0f);
                    p.lineTo (x + 12.0f, 10.0f);
                    p.lineTo (x + 12.0f, 40.0f);
                    p.lineTo (x + 28.0f, 40.0f);
                }
            }
            else
            {
                p.startNewSubPath (8.0f, 44.0f);
                p.lineTo (24.0f, 6.0f);
                p.lineTo (40.0f, 22.0f);
                p.lineTo (72.0f, 22.0f);
                p.lineTo (92.0f, 44.0f);
                for (float x : { 24.0f, 40.0f, 72.0f })
                    pen.line (x, 6.0f, x, 44.0f, 0.6f, dim);
            }
            pen.stroke (p, 5.0f, accent.withAlpha (0.3f));
            pen.stroke (p, 2.4f, accentLight);
            break;
        }
        case cloud:
            p.addEllipse (18.0f, 20.0f, 28.0f, 22.0f);
            p.addEllipse (32.0f, 8.0f, 32.0f, 30.0f);
            p.addEllipse (54.0f, 16.0f, 28.0f, 24.0f);
            p.addRoundedRectangle (24.0f, 28.0f, 54.0f, 14.0f, 7.0f);
            pen.fill (p, cool.withAlpha (0.35f));
            pen.stroke (p, 1.0f, K::c (K::blueLight));
            for (int i = 0; i < 3; ++i)
                pen.line (30.0f + (float) i * 14.0f, 46.0f, 70.0f - (float) (2 - i) * 4.0f, 46.0f, 1.0f, accent.withAlpha (0.6f));
            break;
        case violin:
            // Body outline with f-holes and a bow across it
            p.addEllipse (30.0f, 4.0f, 20.0f, 18.0f);
            p.addEllipse (28.0f, 20.0f, 24.0f, 24.0f);
            pen.fill (p, K::c (0xff8a4b25));
            pen.stroke (p, 1.2f, accentLight);
            pen.rect (38.5f, 0.0f, 3.0f, 30.0f, dark);
            pen.line (35.0f, 24.0f, 35.0f, 34.0f, 1.2f, dark);
            pen.line (45.0f, 24.0f, 45.0f, 34.0f, 1.2f, dark);
            pen.line (14.0f, 44.0f, 90.0f, 10.0f, 1.6f, ink);
            pen.line (84.0f, 9.0f, 91.0f, 13.0f, 2.4f, ink);
            break;
        case bows:
            for (int i = 0; i < 5; ++i)
            {
                const float x = 12.0f + (float) i * 15.0f;
                pen.line (x, 44.0f, x + 20.0f, 6.0f, 1.6f, i % 2 == 0 ? ink : accentLight);
                pen.line (x + 17.0f, 5.0f, x + 22.0f, 9.0f, 2.4f, ink);
            }
            break;
        case trumpet:
            p.startNewSubPath (10.0f, 24.0f);
            p.lineTo (62.0f, 22.0f);
            p.quadraticTo (80.0f, 18.0f, 90.0f, 8.0f);
            p.lineTo (90.0f, 40.0f);
            p.quadraticTo (80.0f, 30.0f, 62.0f, 28.0f);
            p.lineTo (10.0f, 28.0f);
            p.closeSubPath();
            pen.fill (p, accent);
            pen.stroke (p, 1.0f, accentLight);
            pen.rect (6.0f, 22.0f, 6.0f, 8.0f, ink, 1.0f);
            for (int i = 0; i < 3; ++i)
                pen.rect (30.0f + (float) i * 7.0f, 12.0f, 4.0f, 10.0f, ink, 1.0f);
            p.clear();
            p.addRoundedRectangle (24.0f, 28.0f, 36.0f, 10.0f, 5.0f);
            pen.stroke (p, 1.6f, accentLight);
            break;
        case choir:
            for (int i = 0; i < 3; ++i)
            {
                const float cx = 26.0f + (float) i * 24.0f, cy = i == 1 ? 16.0f : 20.0f;
                pen.circle (cx, cy, 8.0f, ink);
                pen.circle (cx, cy + 3.0f, 2.2f, dark);
                juce::Path shoulders;
                shoulders.addRoundedRectangle (cx - 11.0f, cy + 10.0f, 22.0f, 20.0f, 8.0f);
                pen.fill (shoulders, i == 1 ? accent : dim);
            }
            break;
        case hybrid:
            keyboard (pen, 10.0f, 28.0f, 80.0f, 16.0f, 15);
            p.startNewSubPath (10.0f, 14.0f);
            for (int x = 0; x <= 80; x += 2)
                p.lineTo (10.0f + (float) x, 14.0f - 9.0f * std::sin ((float) x / 80.0f * 4.0f * pi));
            pen.stroke (p, 2.2f, K::c (K::blueLight));
            break;
        case acousticGuitar:
        case electricGuitar:
        {
            // Lying guitar: body on the left, neck to the right
            if (icon == acousticGuitar)
            {
                p.addEllipse (8.0f, 10.0f, 26.0f, 30.0f);
                p.addEllipse (26.0f, 14.0f, 20.0f, 22.0f);
                pen.fill (p, K::c (0xffb07840));
                pen.circle (34.0f, 25.0f, 5.0f, dark);
            }
            else
            {
                p.startNewSubPath (8.0f, 14.0f);
                p.quadraticTo (20.0f, 4.0f, 30.0f, 16.0f);
                p.quadraticTo (40.0f, 10.0f, 46.0f, 18.0f);
                p.lineTo (46.0f, 32.0f);
                p.quadraticTo (36.0f, 44.0f, 20.0f, 42.0f);
                p.quadraticTo (4.0f, 40.0f, 8.0f, 14.0f);
                pen.fill (p, K::c (0xffb03020));
                pen.rect (20.0f, 18.0f, 4.0f, 14.0f, ink, 1.0f);
                pen.rect (28.0f, 18.0f, 4.0f, 14.0f, ink, 1.0f);
            }
            pen.rect (40.0f, 23.0f, 46.0f, 4.0f, K::c (0xff5a3418));
            pen.rect (84.0f, 20.0f, 10.0f, 10.0f, dim, 2.0f);
            for (int i = 0; i < 3; ++i)
                pen.line (14.0f, 23.5f + (float) i * 1.5f, 88.0f, 23.5f + (float) i * 1.5f, 0.4f, accentLight);
            break;
        }
        case drumKit:
            p.addEllipse (30.0f, 20.0f, 40.0f, 10.0f);
            pen.rect (30.0f, 25.0f, 40.0f, 16.0f, K::c (0xffb03020));
            pen.fill (p, ink);
            p.clear();
            p.addEllipse (30.0f, 36.0f, 40.0f, 10.0f);
            pen.fill (p, K::c (0xff8a2418));
            pen.line (18.0f, 10.0f, 18.0f, 47.0f, 1.2f, dim);
            pen.line (6.0f, 12.0f, 30.0f, 8.0f, 2.2f, accent);
            pen.line (82.0f, 14.0f, 82.0f, 47.0f, 1.2f, dim);
            pen.line (70.0f, 15.0f, 94.0f, 13.0f, 2.2f, accent);
            pen.line (40.0f, 4.0f, 52.0f, 20.0f, 1.6f, K::c (0xffc8a070));
            pen.line (62.0f, 4.0f, 54.0f, 20.0f, 1.6f, K::c (0xffc8a070));
            break;
        case conga:
            for (int i = 0; i < 2; ++i)
            {
                const float x = 26.0f + (float) i * 26.0f;
                juce::Path drum;
                drum.startNewSubPath (x, 8.0f);
                drum.lineTo (x + 20.0f, 8.0f);
                drum.quadraticTo (x + 26.0f, 28.0f, x + 17.0f, 46.0f);
                drum.lineTo (x + 3.0f, 46.0f);
                drum.quadraticTo (x - 6.0f, 28.0f, x, 8.0f);
                pen.fill (drum, K::c (0xff8a4b25));
                pen.stroke (drum, 1.0f, accentLight);
                juce::Path head;
                head.addEllipse (x - 1.0f, 5.0f, 22.0f, 6.0f);
                pen.fill (head, ink);
            }
            break;
        case sparkle:
            for (int i = 0; i < 4; ++i)
            {
                const float a = (float) i * pi / 4.0f;
                const float r = i % 2 == 0 ? 20.0f : 12.0f;
                pen.line (50.0f - r * std::sin (a), 25.0f - r * std::cos (a), 50.0f + r * std::sin (a), 25.0f + r * std::cos (a),
                          i % 2 == 0 ? 3.0f : 2.0f, accentLight);
            }
            pen.circle (50.0f, 25.0f, 4.0f, ink);
            pen.circle (78.0f, 12.0f, 2.5f, K::c (K::blueLight));
            pen.circle (24.0f, 38.0f, 2.0f, K::c (K::blueLight));
            break;
    }
}

} // namespace zd8gen
