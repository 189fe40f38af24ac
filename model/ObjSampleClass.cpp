#include "model/ObjSampleClass.h"

namespace zd8
{

ObjSampleClass::ObjSampleClass()
    : ObjectStore (typeSample)
{
    buildIndex (typeSample, emptyBank (typeSample, bankSlots), bankSlots - 1);
}

} // namespace zd8
