// com_object.h -- the reference count every platform object shares: freed with its last Release
#pragma once

#include "platform/live_objects.h"
#include "platform/wintypes.h"

// An object behind an interface; what it holds is given back in its destructor.
template <typename Interface>
struct ComObject : Interface, LiveObject {
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override
    {
        ULONG left = --refs;
        if (left == 0)
            delete this;
        return left;
    }

    ULONG refs = 1;
};
