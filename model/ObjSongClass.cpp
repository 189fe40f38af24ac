#include "model/ObjSongClass.h"

namespace zd8
{

ObjSongClass::ObjSongClass()
    : ObjectStore (typeSong)
{
    buildEmptyBank (typeSong);
}

} // namespace zd8
