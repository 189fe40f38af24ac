#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** The object display: the chosen object's number (or the number being typed on a
    page's keypad), name, category picture and up to three texts. A press or release
    sets a press code (501, 502, 503 press; 506 release) and sends the change message. */
class ObjectDisplay : public juce::Component, public juce::ChangeBroadcaster
{
public:
    static constexpr int programDisplay = 0;
    static constexpr int multiDisplay = 1;
    static constexpr int fxChainDisplay = 2;
    static constexpr int smallDisplay = -1;   // always 216x48

    // Press codes by where the press lies (unscaled pixels): y greater than 32 (the
    // lower part) gives 502 whatever x; above that, x greater than 62 gives 503,
    // otherwise 501.
    static constexpr int pressName = 501;    // upper left
    static constexpr int pressTop = 502;     // lower part (y > 32), despite the name
    static constexpr int pressRight = 503;   // upper right
    static constexpr int released = 506;

    ObjectDisplay (int kind, int width, int height);

    void setContents (int number, int mainCategory, int subCategory, const juce::String& name,
                      const juce::String& text1, const juce::String& text2, const juce::String& text3);
    void setNumber (int number);
    void setTyped (int number);
    void placeAt (int x, int y, float scale);
    void moveBy (int dx, int dy);

    int getPressCode() const noexcept { return pressCode; }
    int getNumber() const noexcept { return number; }
    bool isTyped() const noexcept { return typed; }
    int getTypedNumber() const noexcept { return typedNumber; }
    /** What the display shows as the number: the typed text while typing, otherwise the
        number's text (empty below 1). */
    juce::String getShownNumberText() const;
    const juce::String& getObjectName() const noexcept { return name; }

    /** Sheet cell (column, row) of a program's category pair. */
    static juce::Point<int> categoryCell (int mainCategory, int subCategory) noexcept;
    /** Text under the program picture: "Main" or "Main: Sub". */
    static juce::String categoryText (int mainCategory, int subCategory);

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    void paintObjectDisplay (juce::Graphics&);
    void paintSmallDisplay (juce::Graphics&);
    /** A rectangle given relative to the picture origin, scaled. */
    juce::Rectangle<float> scaled (float x, float y, float w, float h) const noexcept;
    juce::Font arial (float size, bool bold) const;

    int kind;
    float scale = 1.0f;
    juce::Point<int> position, origin;
    int width, height;
    int number = 0;
    juce::String numberText;
    bool typed = false;
    int typedNumber = 0;
    juce::String typedText;
    int mainCategory = 0, subCategory = 0;
    juce::String name, text1, text2, text3;
    int pressCode = 0;
    juce::Image sheet, background;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ObjectDisplay)
};

} // namespace zd8
