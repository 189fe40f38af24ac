#include "tools/bankgen/BankGenerator.h"

#include "model/BankLayout.h"

#include <algorithm>

namespace zd8gen
{

std::vector<std::uint8_t> writeBank (int typeCode, const std::vector<GeneratedObject>& objects, int slots)
{
    const auto* layout = zd8::BankLayout::forType (typeCode);
    if (layout == nullptr)
        return {};

    slots = std::clamp (slots, 0, zd8::BankLayout::highestTaggedId);

    // Slot by slot in ascending ID order, whatever order the objects come in; an object
    // outside 1..slots has no slot, and of two objects with one ID the first counts.
    std::vector<const GeneratedObject*> byId ((size_t) slots + 1, nullptr);
    size_t contentBytes = 0;
    for (const auto& object : objects)
    {
        if (object.id >= 1 && object.id <= slots && byId[(size_t) object.id] == nullptr)
        {
            byId[(size_t) object.id] = &object;
            contentBytes += object.content.size();
        }
    }

    std::vector<std::uint8_t> bank;
    bank.reserve (contentBytes + (size_t) slots * (size_t) layout->tagOverhead + 2 * zd8::BankLayout::tagLength);

    layout->appendBankOpen (bank);
    for (int id = 1; id <= slots; ++id)
    {
        const auto* object = byId[(size_t) id];
        if (object != nullptr)
            layout->appendRecord (bank, id, object->content.data(), object->content.size());
        else
            layout->appendRecord (bank, id, nullptr, 0);
    }
    layout->appendBankClose (bank);
    return bank;
}

} // namespace zd8gen
