#include "editor/kit/ObjectList.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/ListKeys.h"
#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"
#include "model/ObjectStore.h"

#include <algorithm>

namespace zd8
{

namespace
{
    constexpr int repeatIntervalMs = 200;

    // Presses left of this x choose a row; right of it they work the scroll bar.
    constexpr int rowPressLimitX = 212;

    // Scroll bar geometry (pixels).
    constexpr int thumbX = 244;
    constexpr int thumbDrawWidth = 36;
    constexpr int scrollColumnWidth = 34;
    constexpr int thumbGrabOffset = 23;    // pointer y to thumb top while dragging
    constexpr float trackCorner = 3.0f;
    constexpr float trackLine = 2.1f;

    // Category text box of a row, relative to the row's number baseline.
    constexpr float categoryBoxWidth = 234.0f;
    constexpr float categoryBoxHeight = 20.0f;

    // The find-by-name field at the foot of the text area, shown while text is typed.
    constexpr int findFieldInset = 4, findFieldHeight = 22, findFieldWidth = 234;
    constexpr float findTextSize = 13.0f;
    const juce::Colour findFieldFill (0xe0101014);
    const juce::Colour findFieldOutline (Palette::textSoft);
    const juce::Colour findFieldText (Palette::textBright);

    constexpr float backgroundOpacity = 0.9f;
    constexpr float overlayOpacity = 0.2f;

    const juce::Colour rowLine (Palette::objectListRowLine);
    const juce::Colour trackFill (Palette::scrollTrackFill);
    const juce::Colour trackOutline (Palette::scrollTrackOutline);

    juce::Font arial (float size, bool bold)
    {
        return juce::Font ("Arial", size, bold ? juce::Font::bold : juce::Font::plain);
    }
} // namespace

ObjectList::ObjectList (const ObjectStore& s)
    : store (s), background (Pictures::get ("list_back")), thumb (Pictures::get ("scroll_thumb"))
{
    setOpaque (true);
    // A click gives the list the keys: typed names, arrows and Enter.
    setWantsKeyboardFocus (true);
}

ObjectList::~ObjectList()
{
    stopTimer();
}

void ObjectList::bind (int mode_, int argument_)
{
    mode = mode_;
    argument = argument_;
    selectedIndex = -1;
    selectedId = 0;
    firstVisible = scrollPosition = 0;
    // The list starts at the top again, so a wheel turn from there must not be taken
    // for a repeat of the request that scrolled the previous list.
    lastRequested = 0;
    boundIds = store.listIds (mode, argument);
    applyNameFilter();
}

void ObjectList::bindIds (std::vector<int> list)
{
    bind (mode, argument);
    boundIds = std::move (list);
    applyNameFilter();
}

void ObjectList::setNameFilter (const juce::String& text)
{
    if (text == nameFilter)
        return;
    nameFilter = text;
    applyNameFilter();
    // A shorter list starts at its top, with the selection in view when it is still there.
    firstVisible = scrollPosition = lastRequested = 0;
    if (selectedIndex >= 0)
        stepTo (selectedIndex);
    repaint();
}

void ObjectList::applyNameFilter()
{
    if (nameFilter.isEmpty())
        ids = boundIds;
    else
    {
        ids.clear();
        for (int id : boundIds)
            if (store.recordName (id).trimEnd().containsIgnoreCase (nameFilter))
                ids.push_back (id);
    }

    selectedIndex = -1;
    if (selectedId != 0)
    {
        const auto found = std::find (ids.begin(), ids.end(), selectedId);
        if (found != ids.end())
            selectedIndex = (int) (found - ids.begin());
        else
            selectedId = 0;
    }
    setFirstVisible (firstVisible);
    repaint();
}

void ObjectList::setColumns (const std::vector<int>& widths)
{
    selectedIndex = -1;
    selectedId = 0;
    firstVisible = scrollPosition = lastRequested = 0;
    columns = widths;
    repaint();
}

void ObjectList::setFontSizes (float number, float name, float category) noexcept
{
    numberSize = number;
    nameSize = name;
    categorySize = category;
}

int ObjectList::visibleRows() const noexcept
{
    // While find text is typed, its field takes the last row.
    const int all = getHeight() / rowHeight;
    return nameFilter.isNotEmpty() && all > 1 ? all - 1 : all;
}

bool ObjectList::allRowsFit() const noexcept
{
    return getCount() <= visibleRows();
}

int ObjectList::columnWidth (size_t column) const noexcept
{
    return column < columns.size() ? columns[column] : 0;
}

int ObjectList::thumbY() const noexcept
{
    if (allRowsFit())
        return -1;
    const int travel = getHeight() - thumbHeight;
    if (travel <= 0)
        return 0;
    const double itemsPerPixel = (double) (getCount() - visibleRows()) / (double) travel;
    return (int) ((double) scrollPosition / itemsPerPixel);
}

juce::String ObjectList::formatId (int id)
{
    return juce::String (id).paddedLeft ('0', 4);
}

void ObjectList::setFirstVisible (int row)
{
    firstVisible = juce::jlimit (0, juce::jmax (0, getCount() - visibleRows()), row);
}

void ObjectList::selectIndex (int index)
{
    if (index < 0 || index >= getCount())
        return;
    selectedIndex = index;
    selectedId = ids[(size_t) index];
    setFirstVisible (index);
    // The thumb and the next wheel turn follow the selected row, not the old position.
    scrollPosition = lastRequested = firstVisible;
    repaint();
    report (EditEvent::selectedQuietly);
}

void ObjectList::stepTo (int index)
{
    if (index < 0 || index >= getCount())
        return;
    const bool moved = index != selectedIndex;
    selectedIndex = index;
    selectedId = ids[(size_t) index];
    if (index < firstVisible)
        setFirstVisible (index);
    else if (index >= firstVisible + visibleRows())
        setFirstVisible (index - visibleRows() + 1);
    scrollPosition = lastRequested = firstVisible;
    repaint();
    if (moved)
        report (EditEvent::selectedQuietly);
}

void ObjectList::selectId (int id, bool reportChoice)
{
    for (int row = 0; row < getCount(); ++row)
        if (ids[(size_t) row] == id)
        {
            selectIndex (row);
            if (reportChoice)
                report (EditEvent::chosen);
        }
}

void ObjectList::scrollTo (int n)
{
    if (n == lastRequested)
        return;
    lastRequested = n;
    scrollPosition = juce::jlimit (0, juce::jmax (0, getCount() - visibleRows()), n);
    setFirstVisible (scrollPosition);
    repaint();
}

void ObjectList::autoScrollStep()
{
    if (autoDirection != 0)
        scrollTo (scrollPosition + autoDirection);
}

void ObjectList::timerCallback()
{
    autoScrollStep();
}

void ObjectList::report (int code)
{
    events.push_back (EditEvent::make (code, parameterNumber, parameterNumber, channel, selectedId));
    sendChangeMessage();   // posts only when someone listens
}

std::vector<juce::uint64> ObjectList::takeEvents()
{
    std::vector<juce::uint64> taken;
    taken.swap (events);
    return taken;
}

void ObjectList::resized()
{
    makePictures();
}

void ObjectList::makePictures()
{
    const int w = getWidth(), h = getHeight();
    if (w <= 0 || h <= 0)
    {
        offscreen = stretchedBackground = base = juce::Image();
        return;
    }
    // The list is opaque everywhere, so the off-screen picture needs no alpha and is
    // copied, not blended, onto the screen. All three have as many pixels as the list
    // covers on the device.
    offscreen = PictureDraw::makeCache (juce::Image::RGB, w, h, pictureScale);

    // Stretching and blending the background cost most of a repaint, and every repaint
    // draws it twice: both are done once per size instead.
    stretchedBackground = PictureDraw::makeCache (juce::Image::ARGB, w, h, pictureScale);
    {
        juce::Graphics g (stretchedBackground);
        g.addTransform (PictureDraw::cacheTransform (stretchedBackground, w, h));
        PictureDraw::draw (g, background, { 0, 0, w, h }, background.getBounds());
    }
    base = PictureDraw::makeCache (juce::Image::RGB, w, h, pictureScale);
    juce::Graphics g (base);
    g.fillAll (juce::Colours::black);
    g.setOpacity (backgroundOpacity);
    g.drawImageAt (stretchedBackground, 0, 0);
}

void ObjectList::paint (juce::Graphics& g)
{
    // The off-screen picture has as many pixels as the list covers on the screen (the
    // window scaled, a high-density display), so that the text stays sharp.
    const float pixelScale = PictureDraw::pixelScale (g);
    if (! PictureDraw::cacheFits (offscreen, getWidth(), getHeight(), pixelScale)
        || ! PictureDraw::cacheFits (base, getWidth(), getHeight(), pixelScale))
    {
        pictureScale = pixelScale;
        makePictures();
    }
    if (! offscreen.isValid())
        return;
    {
        juce::Graphics og (offscreen);
        og.addTransform (PictureDraw::cacheTransform (offscreen, getWidth(), getHeight()));
        paintList (og);
    }
    PictureDraw::drawCache (g, offscreen, getLocalBounds());
}

void ObjectList::paintList (juce::Graphics& g)
{
    const int w = getWidth(), h = getHeight();

    // Black with the background over it at 90 %, prepared at this size.
    PictureDraw::drawCache (g, base, getLocalBounds());

    const int visible = visibleRows();
    const int rows = juce::jmin (visible, getCount() - firstVisible);
    const int rowWidth = columnWidth (0) + columnWidth (1) + columnWidth (2) + 4;
    const int nameX = columnWidth (0) + 6;

    for (int i = 0; i < rows; ++i)
    {
        const int u = firstVisible + i;
        const int id = ids[(size_t) u];
        const int y = i * rowHeight;
        const bool selected = u == selectedIndex;

        g.setColour (rowLine);
        g.fillRect (0, y, rowWidth, 1);

        if (selected && colours[0] != 0)
        {
            g.setColour (juce::Colour (colours[0]));
            g.fillRect (0, y, rowWidth, rowHeight + 3);
        }
        else if (! selected && rowFill != 0)
        {
            g.setColour (juce::Colour (rowFill));
            g.fillRect (0, y, rowWidth, rowHeight - 1);
        }

        // Slots 4..6 (indices 3..5) for plain rows, 7..9 (6..8) for the selected one.
        const size_t slot = selected ? 6 : 3;
        const int baseline = y + juce::roundToInt (numberSize) + 3;

        g.setColour (juce::Colour (colours[slot]));
        g.setFont (arial (numberSize, selected));
        g.drawSingleLineText (formatId (id), 7, baseline);

        g.setColour (juce::Colour (colours[slot + 1]));
        g.setFont (arial (nameSize, selected));
        g.drawSingleLineText (store.recordName (id), nameX, baseline);

        g.setColour (juce::Colour (colours[slot + 2]));
        g.setFont (arial (categorySize, selected));
        g.drawText (store.categoryName (id),
                    juce::Rectangle<float> (0.0f, (float) y + numberSize - 3.0f, categoryBoxWidth, categoryBoxHeight),
                    juce::Justification::bottomRight, true);
    }

    // Scroll bar column.
    if (rowFill != 0)
    {
        g.setColour (juce::Colour (rowFill));
        g.fillRect (textAreaWidth, 0, scrollColumnWidth, visible * rowHeight);
    }
    const juce::Rectangle<float> track ((float) textAreaWidth + 1.5f, 1.5f,
                                        (float) juce::jmax (0, juce::jmin (scrollColumnWidth, w - textAreaWidth) - 3),
                                        (float) juce::jmax (0, h - 3));
    g.setColour (trackFill);
    g.fillRoundedRectangle (track, trackCorner);
    g.setColour (trackOutline);
    g.drawRoundedRectangle (track, trackCorner, trackLine);

    const int t = thumbY();
    if (t >= 0)
        PictureDraw::draw (g, thumb, { thumbX, t, thumbDrawWidth, thumbHeight }, thumb.getBounds());

    g.setOpacity (overlayOpacity);
    PictureDraw::drawCache (g, stretchedBackground, getLocalBounds());
    g.setOpacity (1.0f);

    if (nameFilter.isNotEmpty())
        paintNameFilter (g);
}

void ObjectList::paintNameFilter (juce::Graphics& g)
{
    const int visibleHeight = juce::jmax (rowHeight, getHeight() / rowHeight * rowHeight);
    const juce::Rectangle<float> field ((float) findFieldInset,
                                        (float) (juce::jmin (getHeight(), visibleHeight) - findFieldHeight - findFieldInset),
                                        (float) findFieldWidth, (float) findFieldHeight);
    g.setColour (findFieldFill);
    g.fillRoundedRectangle (field, 3.0f);
    g.setColour (findFieldOutline);
    g.drawRoundedRectangle (field, 3.0f, 1.0f);
    g.setColour (findFieldText);
    g.setFont (arial (findTextSize, false));
    const auto shown = getCount() == 0 ? "Find: " + nameFilter + "  (none)" : "Find: " + nameFilter;
    g.drawText (shown, field.reduced (6.0f, 0.0f), juce::Justification::centredLeft, true);
}

void ObjectList::mouseDown (const juce::MouseEvent& e)
{
    if (isShowing())
        grabKeyboardFocus();
    const int x = e.x, y = e.y;
    if (x > 0 && x < rowPressLimitX)
    {
        rowPress = true;
        if (getCount() == 0)
            return;
        const int row = juce::jlimit (0, getCount() - 1, y / rowHeight + firstVisible);
        selectedIndex = row;
        selectedId = ids[(size_t) row];
        repaint();
        report (EditEvent::chosen);
        return;
    }

    if (x <= rowPressLimitX || allRowsFit())
        return;

    const int t = thumbY();
    if (y > t && y < t + thumbHeight)
    {
        thumbDrag = true;
        return;
    }
    autoDirection = y <= t ? -1 : 1;
    scrollTo (scrollPosition + autoDirection);
    startTimer (repeatIntervalMs);
}

void ObjectList::mouseDrag (const juce::MouseEvent& e)
{
    if (thumbDrag)
    {
        const int visible = visibleRows();
        const int travel = rowHeight * visible - thumbHeight;
        if (travel <= 0)
            return;
        const double itemsPerPixel = (double) (getCount() - visible) / (double) travel;
        const int p = juce::jmax (0, e.y - thumbGrabOffset);
        scrollTo ((int) ((p > travel ? travel + 1 : p) * itemsPerPixel));
        return;
    }

    if (rowPress)
    {
        if (e.y >= getHeight())
            setFirstVisible (firstVisible + 1);
        else if (e.y < 0)
            setFirstVisible (firstVisible - 1);
        repaint();
    }
}

void ObjectList::mouseUp (const juce::MouseEvent&)
{
    stopTimer();
    autoDirection = 0;
    thumbDrag = false;
    rowPress = false;
}

void ObjectList::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY < 0.0f)
        scrollTo (scrollPosition + 1);
    else if (wheel.deltaY > 0.0f)
        scrollTo (scrollPosition - 1);
}

bool ObjectList::keyPressed (const juce::KeyPress& key)
{
    const int code = key.getKeyCode();
    const int page = juce::jmax (1, visibleRows());
    const int last = getCount() - 1;
    // With nothing selected the first step down lands on the first row, up on the last.
    const int from = selectedIndex;

    if (const auto row = ListKeys::movedRow (code, from, last, page))
        stepTo (*row);
    else if (code == juce::KeyPress::returnKey)
    {
        if (selectedIndex >= 0)
            report (EditEvent::chosen);
    }
    else if (const auto filter = ListKeys::editedFilter (key, nameFilter))
        setNameFilter (*filter);
    else
        return false;
    return true;
}

} // namespace zd8
