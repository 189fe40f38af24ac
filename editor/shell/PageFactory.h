#pragma once

#include "plugin/EditorConnection.h"

#include <memory>
#include <type_traits>
#include <utility>

namespace zd8
{

class ControllerState;
class VantorAudioProcessor;

/** Makes the pages and panels the window owns, each with what it takes: the engine
    connection; or, for a page that does not take the connection yet, the processor or
    the controller state. The window itself only ever uses the connection: the other
    two are handed on, never called here. */
class PageFactory
{
public:
    PageFactory (EditorConnection& c, VantorAudioProcessor& p, ControllerState& h) noexcept
        : connection (c), processor (p), hub (h)
    {
    }

    template <typename Made, typename... Rest>
    std::unique_ptr<Made> make (Rest&&... rest) const
    {
        if constexpr (std::is_constructible_v<Made, EditorConnection&, Rest...>)
            return std::make_unique<Made> (connection, std::forward<Rest> (rest)...);
        else if constexpr (std::is_constructible_v<Made, VantorAudioProcessor&, Rest...>)
            return std::make_unique<Made> (processor, std::forward<Rest> (rest)...);
        else
            return std::make_unique<Made> (hub, std::forward<Rest> (rest)...);
    }

    EditorConnection& connection;

private:
    VantorAudioProcessor& processor;
    ControllerState& hub;
};

} // namespace zd8
