#include "tools/picgen/KeyboardIcons.h"

#include "tools/picgen/PictureKit.h"

#include <cmath>

namespace zd8gen
{

namespace
{
    using K = PictureKit;

    const juce::Colour ink = IconPen::ink();
    const juce::Colour dim = IconPen::dim();
    const juce::Colour dark = IconPen::dark();
    const juce::Colour accent = K::c (K::amber);
    const juce::Colour accentLight = K::c (K::amberLight);
    const juce::Colour cool = K::c (K::blue);

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

bool KeyboardIcons::draw (const IconPen& pen, CategoryIcons::Icon icon)
{
    using I = CategoryIcons;
    juce::Path p;
    switch (icon)
    {
        case I::grandPiano:
            p = grandOutline (18.0f, 5.0f, 64.0f, 40.0f);
            pen.fill (p, K::c (0xff2e2e2e));
            pen.stroke (p, 2.0f, ink);
            for (int i = 0; i < 6; ++i)
                pen.line (24.0f, 12.0f + (float) i * 4.0f, 62.0f - (float) i * 3.5f, 12.0f + (float) i * 4.0f, 0.8f, accent);
            pen.keyboard (18.0f, 40.0f, 36.0f, 7.0f, 10);
            break;
        case I::grandSide:
            // Side view with the lid raised
            p.addQuadrilateral (16.0f, 26.0f, 84.0f, 26.0f, 84.0f, 34.0f, 16.0f, 34.0f);
            pen.fill (p, ink);
            pen.line (18.0f, 25.0f, 70.0f, 6.0f, 3.0f, ink);
            pen.line (70.0f, 6.0f, 70.0f, 25.0f, 1.2f, dim);
            pen.line (22.0f, 34.0f, 22.0f, 47.0f, 3.0f, ink);
            pen.line (78.0f, 34.0f, 78.0f, 47.0f, 3.0f, ink);
            pen.rect (12.0f, 24.0f, 12.0f, 4.0f, accent);
            break;
        case I::tripleKeys:
            pen.keyboard (14.0f, 4.0f, 72.0f, 12.0f, 14);
            pen.keyboard (14.0f, 19.0f, 72.0f, 12.0f, 14);
            pen.keyboard (14.0f, 34.0f, 72.0f, 12.0f, 14);
            break;
        case I::uprightPiano:
            pen.rect (26.0f, 4.0f, 48.0f, 30.0f, K::c (0xff2e2e2e), 2.0f);
            p.addRoundedRectangle (26.0f, 4.0f, 48.0f, 30.0f, 2.0f);
            pen.stroke (p, 2.0f, ink);
            pen.keyboard (22.0f, 32.0f, 56.0f, 8.0f, 12);
            pen.line (28.0f, 40.0f, 28.0f, 47.0f, 3.0f, ink);
            pen.line (72.0f, 40.0f, 72.0f, 47.0f, 3.0f, ink);
            pen.rect (34.0f, 10.0f, 32.0f, 3.0f, accent);
            break;
        case I::stageEPiano:
            pen.keyboard (10.0f, 14.0f, 80.0f, 12.0f, 15);
            pen.rect (8.0f, 10.0f, 84.0f, 5.0f, K::c (0xff3a3a3a), 1.0f);
            for (int i = 0; i < 4; ++i)
                pen.circle (60.0f + (float) i * 7.0f, 12.5f, 1.5f, accentLight);
            pen.line (18.0f, 27.0f, 26.0f, 47.0f, 2.2f, ink);
            pen.line (26.0f, 27.0f, 18.0f, 47.0f, 2.2f, ink);
            pen.line (74.0f, 27.0f, 82.0f, 47.0f, 2.2f, ink);
            pen.line (82.0f, 27.0f, 74.0f, 47.0f, 2.2f, ink);
            break;
        case I::tines:
        case I::tonebars:
            // Tines of falling length over a pickup rail; the tonebar variant adds the bars
            for (int i = 0; i < 9; ++i)
            {
                const float x = 14.0f + (float) i * 9.0f;
                const float length = 38.0f - (float) i * 3.2f;
                if (icon == I::tonebars)
                    pen.rect (x - 2.5f, 6.0f, 5.0f, length * 0.7f, accent, 1.0f);
                pen.line (x + (icon == I::tonebars ? 3.5f : 0.0f), 6.0f, x + (icon == I::tonebars ? 3.5f : 0.0f), 6.0f + length,
                          1.6f, ink);
            }
            pen.rect (10.0f, 44.0f, 84.0f, 4.0f, cool, 1.5f);
            if (icon == I::tines)
                pen.rect (10.0f, 3.0f, 84.0f, 4.0f, accent, 1.5f);
            break;
        case I::reeds:
            pen.rect (10.0f, 6.0f, 80.0f, 6.0f, dim, 1.0f);
            for (int i = 0; i < 10; ++i)
            {
                const float x = 13.0f + (float) i * 8.0f;
                pen.rect (x, 12.0f, 4.0f, 26.0f - (float) i * 1.3f, ink, 1.0f);
                pen.circle (x + 2.0f, 9.0f, 1.3f, accent);
            }
            pen.rect (10.0f, 42.0f, 80.0f, 3.0f, cool, 1.0f);
            break;
        case I::clav:
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
        case I::harpsichord:
            p.startNewSubPath (12.0f, 10.0f);
            p.lineTo (60.0f, 10.0f);
            p.lineTo (90.0f, 24.0f);
            p.lineTo (90.0f, 30.0f);
            p.lineTo (12.0f, 30.0f);
            p.closeSubPath();
            pen.fill (p, K::c (0xff3a2a1a));
            pen.stroke (p, 1.8f, ink);
            pen.keyboard (12.0f, 31.0f, 30.0f, 6.0f, 7, true);
            pen.keyboard (12.0f, 38.0f, 30.0f, 6.0f, 7, true);
            pen.line (46.0f, 15.0f, 86.0f, 27.0f, 0.8f, accent);
            pen.line (46.0f, 19.0f, 82.0f, 28.0f, 0.8f, accent);
            break;
        case I::drawbars:
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
        case I::comboOrgan:
            pen.rect (8.0f, 8.0f, 84.0f, 10.0f, K::c (0xffb03020), 2.0f);
            for (int i = 0; i < 8; ++i)
                pen.rect (14.0f + (float) i * 8.5f, 10.5f, 5.0f, 5.0f, i % 3 == 0 ? ink : accentLight, 1.0f);
            pen.keyboard (8.0f, 20.0f, 84.0f, 14.0f, 15, true);
            pen.line (16.0f, 34.0f, 16.0f, 47.0f, 2.0f, dim);
            pen.line (84.0f, 34.0f, 84.0f, 47.0f, 2.0f, dim);
            break;
        case I::organOnStand:
            pen.keyboard (12.0f, 8.0f, 76.0f, 12.0f, 14, true);
            pen.rect (10.0f, 4.0f, 80.0f, 4.0f, K::c (0xffd05a20), 1.0f);
            p.startNewSubPath (26.0f, 20.0f);
            p.lineTo (74.0f, 34.0f);
            p.lineTo (26.0f, 47.0f);
            pen.stroke (p, 3.0f, ink);
            pen.line (20.0f, 47.0f, 34.0f, 47.0f, 3.0f, ink);
            break;
        case I::pipes:
            for (int i = 0; i < 9; ++i)
            {
                const float x = 12.0f + (float) i * 9.0f;
                const float h = 40.0f - std::abs ((float) i - 4.0f) * 6.0f;
                pen.rect (x, 46.0f - h, 6.0f, h, i % 2 == 0 ? ink : K::c (0xffb8b8b8), 2.0f);
                pen.rect (x + 1.0f, 46.0f - h * 0.3f, 4.0f, 2.0f, dark);
            }
            pen.rect (8.0f, 46.0f, 84.0f, 3.0f, accent, 1.0f);
            break;
        default:
            return false;
    }
    return true;
}

} // namespace zd8gen
