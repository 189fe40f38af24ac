#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

namespace zd8
{

class EditorConnection;

/** The preview beside a library window list: a title and the sixteen channels of one
    Arrangement record, each with its program's small category icon, four-digit number
    and name (read from the instrument image). Hidden while it has nothing to show.
    Message thread only. */
class ArrangementPreview : public juce::Component
{
public:
    static constexpr int height = 520;
    static constexpr int rowsTop = 30;
    static constexpr int rowPitch = 30;

    ArrangementPreview (EditorConnection& connection, int width);
    ~ArrangementPreview() override;

    /** Shows the title and, for a 300-byte record, its sixteen channel programs; any
        other record lists none. */
    void showRecord (const juce::String& title, const juce::MemoryBlock& record);
    /** Hides the preview. */
    void clear();

    const juce::String& getTitle() const noexcept { return title; }
    bool hasPrograms() const noexcept { return withPrograms; }
    /** Program of a channel (0..15) as listed, or -1 when none is listed. */
    int getProgram (int channel) const noexcept;

    /** "0007", "0042", "0512", "1010". */
    static juce::String fourDigits (int number);

    void paint (juce::Graphics&) override;

private:
    struct Row
    {
        int program = 0;
        juce::String name;
        juce::Point<int> cell;
    };

    EditorConnection& connection;
    juce::String title;
    bool withPrograms = false;
    std::array<Row, 16> rows {};
    juce::Image icons;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ArrangementPreview)
};

} // namespace zd8
