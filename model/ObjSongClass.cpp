#include "model/ObjSongClass.h"

namespace zd8
{

ObjSongClass::ObjSongClass()
    : ObjectStore (typeSong)
{
    buildIndex (typeSong, emptyBank (typeSong, bankSlots), bankSlots - 1);
}

} // namespace zd8
