#pragma once

#include "editor/KitEdits.h"

#include <QUndoStack>

#include <functional>

class QAction;

namespace morvane {

// The steps taken on the current kit, for Edit > Undo and Redo. Each item
// names the step it would take back or take again, and is disabled while
// there is none.
class EditHistory final : public KitEdits {
public:
    // Puts a snapshot of the fields back and shows it.
    using Restore = std::function<void(const KitFields&)>;

    EditHistory(QAction* undoItem, QAction* redoItem, Restore restore);

    void undo() { steps_.undo(); }
    void redo() { steps_.redo(); }
    void kitReplaced() override { steps_.clear(); }

private:
    void stepTaken(const KitFields& before, const KitFields& after, const QString& name) override;

    Restore restore_;
    QUndoStack steps_;
};

}  // namespace morvane
