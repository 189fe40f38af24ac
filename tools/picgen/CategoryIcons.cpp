#include "tools/picgen/CategoryIcons.h"

#include "tools/picgen/IconPen.h"
#include "tools/picgen/KeyboardIcons.h"
#include "tools/picgen/PictureKit.h"

#include <cmath>

namespace zd8gen
{

namespace
{
    using K = PictureKit;
    constexpr float pi = juce::MathConstants<float>::pi;

    const juce::Colour ink = IconPen::ink();
    const juce::Colour dim = IconPen::dim();
    const juce::Colour dark = IconPen::dark();
    const juce::Colour accent = K::c (K::amber);
    const juce::Colour accentLight = K::c (K::amberLight);
    const juce::Colour cool = K::c (K::blue);
}

void CategoryIcons::draw (juce::Graphics& g, Icon icon, juce::Rectangle<float> box)
{
    const IconPen pen (g, box);
    if (KeyboardIcons::draw (pen, icon))
        return;
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
            pen.keyboard (10.0f, 28.0f, 80.0f, 16.0f, 15);
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
        default:
            break;
    }
}

} // namespace zd8gen
