#include "model/ObjSetupBankClass.h"

#include "model/ObjMultiClass.h"

namespace zd8
{

void ObjSetupBankClass::loadMulti (int id, ObjMultiClass& target) const
{
    target.loadRecord (readRecord (id));
}

} // namespace zd8
