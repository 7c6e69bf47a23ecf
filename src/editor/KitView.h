#pragma once

#include <QStringList>

namespace morvane {

// What the kit document asks of the window that shows it.
class KitView {
public:
    virtual ~KitView() = default;

    // Caption and kit header labels.
    virtual void Display_Caption() = 0;
    virtual void Fill_Print_Header() = 0;
    // A new kit has been decoded, or a step undone or redone: caption,
    // header, pad values, an open kit settings dialog, and the no-kit-loaded
    // frame out of the way.
    virtual void showDecodedKit() = 0;
    // The kit files File > Open Recent offers, most recent first.
    virtual void showRecentKits(const QStringList& paths) = 0;
    // A pad field shows a typed value the kit does not hold yet.
    virtual bool valueBeingTyped() const = 0;
};

}  // namespace morvane
