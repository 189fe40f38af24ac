#include "model/ValueGroup200.h"

#include "model/ValueLists.h"
#include "model/ValueScales.h"
#include "model/ValueText.h"

namespace zd8
{

juce::String ValueGroup200::format (int code, int v)
{
    switch (code)
    {
        // No value text for these codes.
        case 202: case 203: case 205: case 208:
        case 216: case 217: case 218: case 219:
        case 221: case 222: case 223: case 224: case 225: case 226: case 227: case 228: case 229: case 230:
        case 231: case 232: case 233: case 234: case 235: case 236: case 237: case 238: case 239: case 240:
        case 242: case 244: case 246: case 247: case 248: case 250: case 251: case 253:
        case 257: case 258: case 263:
            return {};
        case 204: case 254: case 259:
            return ValueScales::cents (v);
        case 206: case 260:
            return ValueScales::onOff (v);
        case 207: case 255:
            return ValueText::ofNumber (v, " ST");
        case 209: case 210: case 211: case 212: case 213: case 214: case 243: case 249: case 252:
            return ValueLists::controllerName (v);
        case 245:
            return ValueText::ofNumber (v, " dB");
        case 256:
            return ValueText::ofNumber (v, " ct");
        case 261:
            return v == 0 ? "Pre" : "Post";
        default:
            return ValueText::ofNumber (v);
    }
}

} // namespace zd8
