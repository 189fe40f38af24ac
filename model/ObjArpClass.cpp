#include "model/ObjArpClass.h"

namespace zd8
{

ObjArpClass::ObjArpClass()
    : ObjectStore (typeArpeggiator)
{
    buildIndex (typeArpeggiator, emptyBank (typeArpeggiator, bankSlots), bankSlots - 1);
}

} // namespace zd8
