#include "model/ObjArpClass.h"

namespace zd8
{

ObjArpClass::ObjArpClass()
    : ObjectStore (typeArpeggiator)
{
    buildEmptyBank (typeArpeggiator);
}

} // namespace zd8
