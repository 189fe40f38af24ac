#pragma once

#include "model/ObjectStore.h"

namespace zd8
{

/** Algorithms (type 149): the store of the instrument's algorithms, which the plug-in
    does not edit.

    There is no built-in bank and no data file. The store starts with empty tagged slots
    for IDs 1..8192 (short tag form), so that an algorithm received from the instrument
    is kept and listed until the plug-in closes. Record content: the object data alone,
    without a name prefix (recordName reads its first 20 bytes all the same). */
class ObjAlgClass : public ObjectStore
{
public:
    ObjAlgClass();
};

} // namespace zd8
