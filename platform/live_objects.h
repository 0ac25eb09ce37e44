// live_objects.h -- a count of the platform objects not yet freed, so tests can see each one go
#pragma once

// Platform objects made and not yet freed by their last Release.
extern int liveObjectCount;

// A platform object derives from this beside its interface to be counted from birth to free.
struct LiveObject {
    LiveObject() { liveObjectCount++; }
    LiveObject(const LiveObject &) = delete;
    LiveObject &operator=(const LiveObject &) = delete;
    ~LiveObject() { liveObjectCount--; }
};
