#include "model/ObjSampleClass.h"

namespace zd8
{

ObjSampleClass::ObjSampleClass()
    : ObjectStore (typeSample)
{
    buildEmptyBank (typeSample);
}

} // namespace zd8
