#pragma once

// The generator of our own built-in banks (programs, multis, FX chains). It is a
// build-time tool: it links only JUCE's core, never the plug-in's code, and writes the
// tagged bank layout itself. Deterministic: the same source always gives the same
// bytes. Each object kind has its own source file.

#include <cstdint>
#include <string>
#include <vector>

namespace zd8gen
{

/** One record's content: the 20-byte blank-padded name followed by the object data. */
struct GeneratedObject
{
    int id = 0;
    std::vector<std::uint8_t> content;
};

/** A parameter of an FX chain's parameter name list. */
struct FxParameterName
{
    int id = 0;
    std::string name;
};

// FX chains (type 156).
std::vector<GeneratedObject> generateFxChains();
bool fxChainExists (int id);
/** The entries of chain id's parameter name list (empty when the chain is absent). */
std::vector<FxParameterName> fxChainParameters (int id);

// Programs (type 138). Their FX chain references and name/assignment lists use the
// FX chain functions above.
std::vector<GeneratedObject> generatePrograms();
bool programExists (int id);

// Multis (type 155). Their zones reference existing programs.
std::vector<GeneratedObject> generateMultis();

/** The whole tagged bank block of the type with slots 1..slots (empty slots keep their
    tags), bank tags around it. */
std::vector<std::uint8_t> writeBank (int typeCode, const std::vector<GeneratedObject>& objects, int slots = 8192);

} // namespace zd8gen
