#pragma once

#include "kit/KitDump.h"

#include <QString>

namespace morvane {

// Where the changes the user makes to the kit's fields are told, with the
// fields before and after, so that they can be taken back.
class KitEdits {
public:
    virtual ~KitEdits() = default;

    // One step, named as the Edit menu names it ("Note of Pad 7"); a step
    // that left the fields as they were is no step.
    void record(const KitFields& before, const KitFields& after, const QString& name)
    {
        if (before != after) stepTaken(before, after, name);
    }
    // Another kit became the current one: the steps taken on the old one are gone.
    virtual void kitReplaced() = 0;

protected:
    virtual void stepTaken(const KitFields& before, const KitFields& after, const QString& name) = 0;
};

}  // namespace morvane
