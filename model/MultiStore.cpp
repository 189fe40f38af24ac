#include "model/MultiStore.h"

#include "model/MultiEditBuffer.h"

namespace zd8
{

void MultiStore::loadMulti (int id, MultiEditBuffer& target) const
{
    target.loadRecord (readRecord (id));
}

} // namespace zd8
