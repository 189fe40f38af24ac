#pragma once

#include "model/ObjectStore.h"

namespace zd8
{

/** Samples (type 158): the store of the instrument's samples, which the plug-in does
    not edit.

    There is no built-in bank and no data file. The store starts with empty tagged slots
    for IDs 1..8192 (short tag form), so that a sample received from the instrument is
    kept, named and listed until the plug-in closes. Record content: 20-byte name +
    object data. */
class ObjSampleClass : public ObjectStore
{
public:
    ObjSampleClass();
};

} // namespace zd8
